#pragma once

// The library's messages and undo captions in other languages, built into the library.

#include <QLocale>

#include <cstddef>

// Installs the translation of the library's texts into Locale's language for the application,
// in place of the one installed before; English, the language of the texts, needs none. False,
// with nothing changed, when the library has no translation into that language.
bool Qvplot2DInstallTranslation(const QLocale& Locale = QLocale());

// A compiled translation built into the library, for one language ("de").
struct TQvEmbeddedTranslation {
    const char* Language;
    const unsigned char* Data;
    std::size_t Size;
};
// Written by the build from translations/*.ts.
extern const TQvEmbeddedTranslation QvEmbeddedTranslations[];
extern const std::size_t QvEmbeddedTranslationCount;
