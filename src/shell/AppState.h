#pragma once

#include "report/ReportSession.h"
#include "tester/TesterState.h"

// Everything the windows share for the whole run. The program entry owns one
// instance and hands each window the part it uses; tests make a fresh one each.
struct AppState {
    ReportSession report;
    TesterState tester;
};
