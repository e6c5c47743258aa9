/// @file
/// Which text language suits a desktop, and the languages' names as a
/// settings file writes them.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Brix {

/// The text language for one locale name, or nothing when none of the
/// tables' languages fits it. Takes POSIX ("de_DE.UTF-8@euro") and BCP 47
/// ("zh-Hans-CN") forms, any case. Portuguese is Brazilian only and Chinese
/// simplified only; English is US English in the US and International
/// English elsewhere.
///   "de_DE.UTF-8" -> elGerman      "pt-BR" -> elBrazPort    "pt-PT" -> nothing
///   "zh-Hans-SG"  -> elChineseSimplified   "zh-TW" -> nothing
///   "nn" -> elNorwegian    "en-US" -> elEnglishUS    "en-GB" -> elEnglishInt
BRIX_CORE_EXPORT std::optional<TBrixLanguage> LanguageForLocale(const QString &LocaleName);

/// The language of the first name in LocaleNames (most wanted first, as
/// QLocale::uiLanguages() lists them) that has one; elEnglishInt when none
/// has.
///   {"fr-CA", "fr"} -> elFrench    {"pt-PT", "de"} -> elGerman    {} -> elEnglishInt
BRIX_CORE_EXPORT TBrixLanguage LanguageForLocales(const QStringList &LocaleNames);

/// The language's name without its "el" prefix: elGerman -> "German",
/// elBrazPort -> "BrazPort". elUSER has no texts of its own and no name ("").
BRIX_CORE_EXPORT QString LanguageName(TBrixLanguage Language);

/// The language LanguageName gives Name for, any case, surrounding spaces
/// ignored; nothing for an empty or unknown name.
///   "German" -> elGerman    " englishus " -> elEnglishUS    "USER", "Klingon", "" -> nothing
BRIX_CORE_EXPORT std::optional<TBrixLanguage> LanguageFromName(const QString &Name);

/// The language a program shows: the one Chosen names (a settings value,
/// see LanguageFromName), or, when Chosen is empty or names none, the one the
/// desktop's LocaleNames give (LanguageForLocales).
///   ("German", {"fr-FR"}) -> elGerman    ("", {"fr-FR"}) -> elFrench
///   ("Klingon", {"it-IT"}) -> elEnglishInt
BRIX_CORE_EXPORT TBrixLanguage ChooseLanguage(const QString &Chosen,
                                              const QStringList &LocaleNames);

} // namespace Brix
