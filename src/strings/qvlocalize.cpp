#include "strings/qvlocalize.h"

#include <QCoreApplication>

QString TResourceString::Text() const {
    return QCoreApplication::translate("Qvplot2D", Source);
}

QString TFormatArg::Convert(QChar Kind, int Precision) const {
    if (!FIsNumber) return FText;
    switch (Kind.unicode()) {
    case 'd':
    case 'u':
        return QString::number(qint64(FNumber));
    case 'x':
        return QString::number(qint64(FNumber), 16).toUpper();
    case 'f':
        return QString::number(FNumber, 'f', Precision < 0 ? 2 : Precision);
    case 'e':
        return QString::number(FNumber, 'e', Precision < 0 ? 6 : Precision);
    case 'g':
        return QString::number(FNumber, 'g', Precision < 0 ? 15 : Precision);
    default: // 's' of a number
        return QString::number(FNumber, 'g', 15);
    }
}

QString FormatText(const QString& Pattern, std::initializer_list<TFormatArg> Args) {
    static const QString Kinds = QStringLiteral("sduxfge");
    QString Result;
    Result.reserve(Pattern.size() + 16);
    auto Arg = Args.begin();
    for (qsizetype i = 0; i < Pattern.size(); ++i) {
        const QChar c = Pattern[i];
        if (c != u'%' || i + 1 >= Pattern.size()) {
            Result += c;
            continue;
        }
        if (Pattern[i + 1] == u'%') {
            Result += u'%';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        int Precision = -1;
        if (Pattern[j] == u'.') {
            Precision = 0;
            for (++j; j < Pattern.size() && Pattern[j].isDigit(); ++j)
                Precision = Precision * 10 + Pattern[j].digitValue();
        }
        if (j < Pattern.size() && Kinds.contains(Pattern[j]) && Arg != Args.end()) {
            Result += (Arg++)->Convert(Pattern[j], Precision);
            i = j;
        } else {
            Result += c;
        }
    }
    return Result;
}
