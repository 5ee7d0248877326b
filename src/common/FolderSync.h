#pragma once

#include <QString>

// A rename is only safe from a power cut once the folder holding the name is
// on disk too. True when the folder was synced (or the system has no such step).
bool syncFolder(const QString& folder);
