#include "strings/qvtranslations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

bool Qvplot2DInstallTranslation(const QLocale& Locale) {
    static std::unique_ptr<QTranslator> Installed;
    const QString Language = QLocale::languageToCode(Locale.language());
    std::unique_ptr<QTranslator> Next;
    if (Language != QLatin1String("en")) {
        const TQvEmbeddedTranslation* Found = nullptr;
        for (std::size_t i = 0; i < QvEmbeddedTranslationCount; ++i)
            if (Language == QLatin1String(QvEmbeddedTranslations[i].Language))
                Found = &QvEmbeddedTranslations[i];
        if (!Found) return false;
        Next = std::make_unique<QTranslator>();
        if (!Next->load(Found->Data, int(Found->Size))) return false;
    }
    if (Installed) QCoreApplication::removeTranslator(Installed.get());
    Installed = std::move(Next);
    if (Installed) QCoreApplication::installTranslator(Installed.get());
    return true;
}
