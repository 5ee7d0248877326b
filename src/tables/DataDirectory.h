#pragma once

#include <QString>

// Where the tables live: the folder given on the command line, else
// $ZTD_DATA, else the user's application data folder.
QString dataDirectory(const QString& fromCommandLine);
