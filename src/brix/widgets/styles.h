/// @file
/// The visual styles the program can apply by name. "Iceberg Classico" is the
/// Fusion widget style with a light, cool palette; it looks the same on every
/// desktop, at any scale factor, whatever theme the user runs.
#pragma once

#include "brix/export.h"

#include <QString>
#include <QStringList>

namespace Brix {

/// Names of the styles that TrySetStyle accepts, in the order they are offered.
BRIX_CONTROLS_EXPORT QStringList StyleNames();

/// Applies the named style (exact name, letter case ignored) to the running
/// application and returns true. Returns false and changes nothing when no
/// such style is registered or the underlying widget style cannot be created;
/// ErrorText then receives the message to show the user, naming the style.
/// Precondition: a QApplication exists.
/// Examples: TrySetStyle("Iceberg Classico") -> true;
///           TrySetStyle("Nope") -> false, "Style 'Nope' not found".
BRIX_CONTROLS_EXPORT bool TrySetStyle(const QString &Name, QString *ErrorText = nullptr);

/// TrySetStyle, reporting a failure in a message box (the program goes on with
/// the default look). Returns what TrySetStyle returned.
BRIX_CONTROLS_EXPORT bool SetStyleOrReport(const QString &Name);

} // namespace Brix
