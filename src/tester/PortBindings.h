#pragma once

#include "PortSlots.h"

#include <QString>

// The devices the user bound to the slots in the port selection, remembered
// per user across runs (an INI file in the user's configuration folder).
namespace port_bindings {
// Where the bindings of this user live.
QString defaultPath();
// Nothing when the file is missing or unreadable.
PortSlots::Bindings load(const QString& path);
// Replaces the file's bindings; false when it cannot be written.
bool save(const QString& path, const PortSlots::Bindings& bindings);
} // namespace port_bindings
