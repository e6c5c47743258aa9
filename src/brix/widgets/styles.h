/// @file
/// The visual styles the program can apply by name. "Iceberg Classico" is the
/// Fusion widget style with a light, cool palette, or a dark one of the same
/// hues for a desktop that prefers dark; it looks the same on every desktop,
/// at any scale factor, whatever theme the user runs.
#pragma once

#include "brix/export.h"

#include <QPalette>
#include <QString>
#include <QStringList>

namespace Brix {

/// The light or the dark palette of a style.
enum TBrixColorScheme
{
    csLight, ///< dark text on light faces
    csDark   ///< light text on dark faces
};

/// Names of the styles that TrySetStyle accepts, in the order they are offered.
BRIX_CONTROLS_EXPORT QStringList StyleNames();

/// Applies the named style (exact name, letter case ignored) with its palette
/// for Scheme to the running application and returns true. Returns false and changes nothing when
/// no such style is registered or the underlying widget style cannot be created; ErrorText then
/// receives the message to show the user, naming the style. Precondition: a QApplication exists.
/// Examples: TrySetStyle("Iceberg Classico") -> true;
///           TrySetStyle("Nope") -> false, "Style 'Nope' not found".
BRIX_CONTROLS_EXPORT bool TrySetStyle(const QString &Name, QString *ErrorText = nullptr,
                                      TBrixColorScheme Scheme = csLight);

/// The palette of the named style (letter case ignored) for Scheme, as
/// TrySetStyle applies it; a default-constructed QPalette for an unknown
/// name. QApplication::setPalette with it switches a running program between
/// light and dark: every control of the library takes its colours from the
/// palette and follows.
BRIX_CONTROLS_EXPORT QPalette StylePalette(const QString &Name, TBrixColorScheme Scheme);

/// TrySetStyle, reporting a failure in a message box (the program goes on with
/// the default look). Returns what TrySetStyle returned.
BRIX_CONTROLS_EXPORT bool SetStyleOrReport(const QString &Name, TBrixColorScheme Scheme = csLight);

} // namespace Brix
