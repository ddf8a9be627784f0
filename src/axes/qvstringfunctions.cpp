#include "axes/qvstringfunctions.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QLocale>
#include <QScopeGuard>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

QString LocaleDecimalSeparator() {
    const QString Sep = QLocale().decimalPoint();
    return Sep.isEmpty() ? QStringLiteral(".") : Sep;
}

QString LocaleGroupSeparator() {
    return QLocale().groupSeparator();
}

bool IsAsciiDigit(QChar Ch) {
    return Ch >= u'0' && Ch <= u'9';
}

// |X| rounded to Precision significant digits as 0.Digits x 10^Exponent, trailing zeros
// removed. X must be finite and not zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
};

TDecimal ToDecimal(double AbsX, int Precision) {
    char Buffer[800]; // room for the 767 significant digits of an exact conversion
    const auto Converted = std::to_chars(Buffer, Buffer + sizeof Buffer, AbsX,
                                         std::chars_format::scientific, Precision - 1);
    TDecimal Result;
    const char* P = Buffer;
    for (; P < Converted.ptr && *P != 'e'; ++P)
        if (*P != '.') Result.Digits += *P;
    int Exponent = 0;
    bool NegativeExponent = false;
    if (P < Converted.ptr) ++P;
    if (P < Converted.ptr && (*P == '-' || *P == '+')) NegativeExponent = *P++ == '-';
    for (; P < Converted.ptr; ++P)
        Exponent = Exponent * 10 + (*P - '0');
    Result.Exponent = (NegativeExponent ? -Exponent : Exponent) + 1;
    while (Result.Digits.size() > 1 && Result.Digits.back() == '0')
        Result.Digits.pop_back();
    return Result;
}

QString GeneralText(double X, int Precision, const QString& Sep) {
    if (std::isnan(X)) return QStringLiteral("NAN");
    if (std::isinf(X)) return X > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (X == 0) return QStringLiteral("0");
    Precision = qBound(1, Precision, 17);
    const TDecimal D = ToDecimal(std::fabs(X), Precision);
    const QString Digits = QString::fromLatin1(D.Digits);
    const int Count = int(Digits.size());
    QString Result = X < 0 ? QStringLiteral("-") : QString();
    if (D.Exponent > Precision || D.Exponent < -3) {
        Result += Digits[0];
        if (Count > 1) Result += Sep + Digits.mid(1);
        Result += u'E';
        Result += QString::number(D.Exponent - 1);
    } else if (D.Exponent <= 0) {
        Result += QStringLiteral("0") + Sep + QString(-D.Exponent, u'0') + Digits;
    } else if (Count <= D.Exponent) {
        Result += Digits + QString(D.Exponent - Count, u'0');
    } else {
        Result += Digits.left(D.Exponent) + Sep + Digits.mid(D.Exponent);
    }
    return Result;
}

// The longest leading number of T: [sign] digits [Sep digits] [(E|e) [sign] digits] with at
// least one mantissa digit; an incomplete exponent is not part of it. Returns its length, 0
// when there is none. InRange is false on overflow; underflow gives a signed zero.
qsizetype ScanNumber(QStringView T, QStringView Sep, double& Value, bool& InRange) {
    qsizetype I = 0;
    bool Negative = false;
    if (I < T.size() && (T[I] == u'+' || T[I] == u'-')) Negative = T[I++] == u'-';
    std::string Text;
    qint64 IntegerDigits = 0, LeadingFractionZeros = 0, MantissaDigits = 0;
    for (; I < T.size() && IsAsciiDigit(T[I]); ++I, ++MantissaDigits)
        if (IntegerDigits > 0 || T[I] != u'0') {
            Text += char(T[I].unicode());
            ++IntegerDigits;
        }
    if (!Sep.isEmpty() && T.sliced(I).startsWith(Sep)) {
        const qsizetype AfterSep = I + Sep.size();
        if (AfterSep < T.size() && IsAsciiDigit(T[AfterSep])) {
            I = AfterSep;
            Text += '.';
            bool Significant = IntegerDigits > 0;
            for (; I < T.size() && IsAsciiDigit(T[I]); ++I, ++MantissaDigits) {
                Significant = Significant || T[I] != u'0';
                if (!Significant) ++LeadingFractionZeros;
                Text += char(T[I].unicode());
            }
        } else if (MantissaDigits > 0) {
            I = AfterSep; // "1." is a number
        }
    }
    if (MantissaDigits == 0) return 0;
    int Exponent = 0;
    if (I < T.size() && (T[I] == u'E' || T[I] == u'e')) {
        qsizetype J = I + 1;
        bool NegativeExponent = false;
        if (J < T.size() && (T[J] == u'+' || T[J] == u'-')) NegativeExponent = T[J++] == u'-';
        if (J < T.size() && IsAsciiDigit(T[J])) {
            for (; J < T.size() && IsAsciiDigit(T[J]); ++J)
                Exponent = qMin(Exponent * 10 + T[J].digitValue(), 99999); // far beyond any double
            if (NegativeExponent) Exponent = -Exponent;
            I = J;
        }
    }
    InRange = true;
    if (Text.empty() || Text[0] == '.') Text.insert(Text.begin(), '0');
    Text += 'e' + std::to_string(Exponent);
    double Magnitude = 0;
    const auto Parsed = std::from_chars(Text.data(), Text.data() + Text.size(), Magnitude);
    if (Parsed.ec == std::errc::result_out_of_range) {
        // Only the extremes end up here, so the position of the first digit decides.
        const qint64 Decade =
            IntegerDigits > 0 ? IntegerDigits + Exponent : Exponent - LeadingFractionZeros;
        Magnitude = 0;
        InRange = Decade <= 0;
    }
    Value = Negative ? -Magnitude : Magnitude;
    return I;
}

bool ParseFloat(QStringView T, QStringView Sep, double& Value) {
    while (!T.isEmpty() && T.front() == u' ')
        T = T.sliced(1);
    while (!T.isEmpty() && T.back() == u' ')
        T.chop(1);
    if (T.compare(u"NAN", Qt::CaseInsensitive) == 0) {
        Value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    const bool Signed = !T.isEmpty() && (T[0] == u'+' || T[0] == u'-');
    if (T.sliced(Signed ? 1 : 0).compare(u"INF", Qt::CaseInsensitive) == 0) {
        Value = (Signed && T[0] == u'-' ? -1 : 1) * std::numeric_limits<double>::infinity();
        return true;
    }
    bool InRange = false;
    double Result = 0;
    if (ScanNumber(T, Sep, Result, InRange) != T.size() || T.isEmpty() || !InRange) return false;
    Value = Result;
    return true;
}

// "NAN" or "INF" not followed by a letter.
bool AtKeyword(QStringView S) {
    return (S.startsWith(u"NAN", Qt::CaseInsensitive) ||
            S.startsWith(u"INF", Qt::CaseInsensitive)) &&
           (S.size() == 3 || !S[3].isLetter());
}

// How much EraseToNumber drops; with StopAtKeyword it also stops at "NAN" and "INF".
qsizetype NumberStart(QStringView S, bool StopAtKeyword) {
    const auto AtStop = [&](qsizetype I) { return StopAtKeyword && AtKeyword(S.sliced(I)); };
    if (AtStop(0)) return 0;
    qsizetype I = S.size() > 1 && (S[0] == u'E' || S[0] == u'e') && !IsIntegerDigit(S[1]) ? 1 : 0;
    while (I < S.size() && !IsAmericanNumberDigit(S[I]) && !AtStop(I))
        ++I;
    return I;
}

void SkipToNumber(QStringView& S) {
    S = S.sliced(NumberStart(S, true));
}

// Runs an extraction on a view of S and cuts from S what it consumed, also when it fails.
template <class Extract> auto ExtractFrom(QString& S, Extract&& Run) {
    QStringView View(S);
    const auto Consume = qScopeGuard([&] { S.remove(0, S.size() - View.size()); });
    return Run(View);
}

QStringList SplitList(const QString& S) {
    return S.isEmpty() ? QStringList() : S.split(u';');
}

// ---- FormatFloat ----

// Every double's exact decimal expansion has at most this many significant digits.
constexpr int ExactDigits = 767;

// Keeps Count significant digits of D, rounding halves away from zero; fewer than none leaves
// zero (no digits).
void RoundDigits(TDecimal& D, int Count) {
    if (Count >= int(D.Digits.size())) return;
    if (Count < 0) {
        D.Digits.clear();
        return;
    }
    const bool Up = D.Digits[Count] >= '5';
    D.Digits.resize(Count);
    if (Up) {
        while (!D.Digits.empty() && D.Digits.back() == '9')
            D.Digits.pop_back();
        if (D.Digits.empty()) {
            D.Digits.push_back('1');
            ++D.Exponent;
        } else {
            ++D.Digits.back();
        }
    }
    while (!D.Digits.empty() && D.Digits.back() == '0')
        D.Digits.pop_back();
}

bool IsQuote(QChar Ch) {
    return Ch == u'"' || Ch == u'\'';
}

// Index of the quote that closes the one at I; the end of S when it is not closed.
qsizetype ClosingQuote(QStringView S, qsizetype I) {
    const qsizetype End = S.indexOf(S[I], I + 1);
    return End < 0 ? S.size() : End;
}

QList<QStringView> FormatSections(QStringView Format) {
    QList<QStringView> Result;
    qsizetype Start = 0;
    for (qsizetype i = 0; i < Format.size(); ++i) {
        if (IsQuote(Format[i])) {
            i = ClosingQuote(Format, i);
        } else if (Format[i] == u';') {
            Result.append(Format.sliced(Start, i - Start));
            Start = i + 1;
        }
    }
    Result.append(Format.sliced(Start));
    return Result;
}

// The number of zeros of an exponent "E+0", "E-0", "e+0" or "e-0" at I; 0 when there is none.
int ExponentZeros(QStringView S, qsizetype I) {
    if (I + 2 >= S.size() || (S[I] != u'E' && S[I] != u'e') ||
        (S[I + 1] != u'+' && S[I + 1] != u'-'))
        return 0;
    int Zeros = 0;
    while (I + 2 + Zeros < S.size() && S[I + 2 + Zeros] == u'0')
        ++Zeros;
    return Zeros;
}

struct TFormatSection {
    int IntPlaceholders = 0;
    int MinIntDigits = 0;
    int FracPlaceholders = 0;
    int MinFracDigits = 0;
    bool Thousands = false;
    bool Scientific = false;
};

TFormatSection ScanSection(QStringView S) {
    TFormatSection Result;
    bool Point = false;
    int FirstIntZero = -1;
    for (qsizetype i = 0; i < S.size(); ++i) {
        const QChar Ch = S[i];
        if (IsQuote(Ch)) {
            i = ClosingQuote(S, i);
        } else if (Ch == u'0' || Ch == u'#') {
            if (Point) {
                if (Ch == u'0') Result.MinFracDigits = Result.FracPlaceholders + 1;
                ++Result.FracPlaceholders;
            } else {
                if (Ch == u'0' && FirstIntZero < 0) FirstIntZero = Result.IntPlaceholders;
                ++Result.IntPlaceholders;
            }
        } else if (Ch == u'.') {
            Point = true;
        } else if (Ch == u',') {
            Result.Thousands = true;
        } else if (ExponentZeros(S, i) > 0) {
            Result.Scientific = true;
            break; // what follows the exponent is text
        }
    }
    Result.MinIntDigits = FirstIntZero < 0 ? 0 : Result.IntPlaceholders - FirstIntZero;
    // A mantissa needs one digit even when the format shows none.
    if (Result.Scientific && Result.IntPlaceholders + Result.FracPlaceholders == 0)
        Result.IntPlaceholders = Result.MinIntDigits = 1;
    return Result;
}

// AbsX rounded as the section shows it; no digits when that is zero.
TDecimal RoundForSection(const TFormatSection& Section, double AbsX) {
    if (AbsX == 0) return {};
    TDecimal D = ToDecimal(AbsX, ExactDigits);
    RoundDigits(D, Section.Scientific ? Section.IntPlaceholders + Section.FracPlaceholders
                                      : D.Exponent + Section.FracPlaceholders);
    return D;
}

QString FormatSection(QStringView S, const TFormatSection& Section, const TDecimal& D,
                      bool Negative) {
    const QString DecimalSeparator = LocaleDecimalSeparator();
    const QString GroupSeparator = LocaleGroupSeparator();
    const QString Digits = QString::fromLatin1(D.Digits);
    QString Int, Frac;
    int Exponent = 0;
    if (Section.Scientific) {
        if (!Digits.isEmpty()) {
            const QString Padded =
                Digits + QString(qMax(0, Section.IntPlaceholders - int(Digits.size())), u'0');
            Int = Padded.left(Section.IntPlaceholders);
            Frac = Padded.mid(Section.IntPlaceholders);
            Exponent = D.Exponent - Section.IntPlaceholders;
        }
    } else if (D.Exponent > 0) {
        Int = Digits.left(D.Exponent) + QString(qMax(0, D.Exponent - int(Digits.size())), u'0');
        Frac = Digits.mid(D.Exponent);
    } else if (!Digits.isEmpty()) {
        Frac = QString(-D.Exponent, u'0') + Digits;
    }
    if (Int.size() < Section.MinIntDigits)
        Int.prepend(QString(Section.MinIntDigits - Int.size(), u'0'));
    if (Frac.size() < Section.MinFracDigits)
        Frac.append(QString(Section.MinFracDigits - Frac.size(), u'0'));
    while (Frac.size() > Section.MinFracDigits && Frac.endsWith(u'0'))
        Frac.chop(1);

    // A section of text alone (as "zero" in "0.0;-0.0;zero") shows no number.
    if (!Section.Scientific && Section.IntPlaceholders + Section.FracPlaceholders == 0) {
        Int.clear();
        Frac.clear();
        Negative = false;
    }
    QString Result = Negative ? QStringLiteral("-") : QString();
    const int Length = int(Int.size());
    int NextDigit = 0, IntIndex = 0, FracIndex = 0;
    bool Point = false, AfterExponent = false;
    const auto EmitIntTo = [&](int Last) {
        for (; NextDigit <= Last && NextDigit < Length; ++NextDigit) {
            Result += Int[NextDigit];
            const int Following = Length - 1 - NextDigit;
            if (Section.Thousands && !Section.Scientific && Following > 0 && Following % 3 == 0)
                Result += GroupSeparator;
        }
    };
    for (qsizetype i = 0; i < S.size(); ++i) {
        const QChar Ch = S[i];
        if (IsQuote(Ch)) {
            const qsizetype End = ClosingQuote(S, i);
            Result += S.sliced(i + 1, End - i - 1);
            i = End;
        } else if (AfterExponent) {
            Result += Ch;
        } else if (Ch == u'0' || Ch == u'#') {
            if (Point) {
                if (FracIndex < Frac.size()) Result += Frac[FracIndex];
                ++FracIndex;
            } else {
                // The first placeholder also takes the digits that have no placeholder.
                EmitIntTo(Length - Section.IntPlaceholders + IntIndex++);
            }
        } else if (Ch == u'.') {
            if (Point) continue;
            EmitIntTo(Length);
            Point = true;
            if (!Frac.isEmpty()) Result += DecimalSeparator;
        } else if (Ch == u',') {
            continue;
        } else if (const int Zeros = ExponentZeros(S, i); Zeros > 0) {
            EmitIntTo(Length);
            Result += Ch;
            if (Exponent < 0)
                Result += u'-';
            else if (S[i + 1] == u'+')
                Result += u'+';
            const QString Text = QString::number(std::abs(Exponent));
            Result += QString(qMax(0, Zeros - int(Text.size())), u'0') + Text;
            i += 1 + Zeros;
            AfterExponent = true; // what follows is text
        } else {
            Result += Ch;
        }
    }
    EmitIntTo(Length);
    return Result;
}

} // namespace

QString FloatToStr(double X) {
    return GeneralText(X, 15, LocaleDecimalSeparator());
}

QString FloatToStrGeneral(double X, int Precision) {
    return GeneralText(X, Precision, LocaleDecimalSeparator());
}

bool TryStrToFloat(const QString& S, double& Value) {
    return ParseFloat(S, LocaleDecimalSeparator(), Value);
}

double StrToFloat(const QString& S) {
    double Value = 0;
    if (!TryStrToFloat(S, Value)) throw EConvertError(Format(Qvlocalize::SInvalidFloat, {S}));
    return Value;
}

bool TryStrToInt(const QString& S, int& Value) {
    QStringView T(S);
    while (!T.isEmpty() && T.front() == u' ')
        T = T.sliced(1);
    bool Negative = false;
    if (!T.isEmpty() && (T[0] == u'+' || T[0] == u'-')) {
        Negative = T[0] == u'-';
        T = T.sliced(1);
    }
    int Base = 10;
    if (T.startsWith(u'$')) {
        Base = 16;
        T = T.sliced(1);
    } else if (T.startsWith(u"0x", Qt::CaseInsensitive)) {
        Base = 16;
        T = T.sliced(2);
    }
    if (T.isEmpty()) return false;
    // Hexadecimal covers the 32 bits, decimal the signed range.
    const qint64 Limit = Base == 16 ? 0xFFFFFFFFLL : (Negative ? 2147483648LL : 2147483647LL);
    qint64 Result = 0;
    for (const QChar Ch : T) {
        const int Digit = Ch.unicode() < 128 ? QChar(Ch).digitValue() : -1;
        int HexDigit = Digit;
        if (Base == 16 && Digit < 0) {
            const char16_t C = Ch.toLower().unicode();
            if (C >= u'a' && C <= u'f') HexDigit = C - u'a' + 10;
        }
        if (HexDigit < 0) return false;
        Result = Result * Base + HexDigit;
        if (Result > Limit) return false;
    }
    if (Base == 16) Result = qint32(quint32(Result));
    Value = int(Negative ? -Result : Result);
    return true;
}

int StrToInt(const QString& S) {
    int Value = 0;
    if (!TryStrToInt(S, Value)) throw EConvertError(Format(Qvlocalize::SInvalidInteger, {S}));
    return Value;
}

QString TrimRight(const QString& S) {
    qsizetype n = S.size();
    while (n > 0 && S[n - 1].unicode() <= u' ')
        --n;
    return S.left(n);
}

int LastPos(QChar Ch, const QString& S) {
    const qsizetype Index = S.lastIndexOf(Ch);
    return Index < 0 ? -1 : int(Index) + 1;
}

int LastPointPos(const QString& S) {
    return LastPos(u'.', S);
}

bool CharIn(QChar Ch, const QString& S) {
    return S.contains(Ch);
}

QString RealToStrDigits(double X, int Digits) {
    if (Digits <= 0) return FloatToStr(X);
    int Precision = Digits;
    QString Result = FloatToStrGeneral(X, Precision);
    while (Result.size() > Digits && Precision > 0)
        Result = FloatToStrGeneral(X, --Precision);
    return Result;
}

QString IndexToAlphabet(int N) {
    QString Result;
    while (N > 0) {
        --N;
        Result.prepend(QChar(u'A' + N % 26));
        N /= 26;
    }
    return Result;
}

QString Americanize(const QString& S) {
    const QString Sep = LocaleDecimalSeparator();
    return Sep == u"." ? S : QString(S).replace(Sep, QStringLiteral("."));
}

QString DeAmericanize(const QString& S) {
    const QString Sep = LocaleDecimalSeparator();
    return Sep == u"." ? S : QString(S).replace(u'.', Sep);
}

QString DoubleToStr(double X) {
    const QString Point = QStringLiteral(".");
    for (int Precision = 15;; ++Precision) {
        const QString Text = GeneralText(X, Precision, Point);
        double Back = 0;
        if (Precision == 17 || std::isnan(X) || (ParseFloat(Text, Point, Back) && Back == X))
            return Text;
    }
}

// Text in the form DoubleToStr writes reads the same in every locale; only other text needs
// the locale, which is dear to ask for once per value of a long list.
double DoubleFromStr(QStringView S) {
    double Value = 0;
    return ParseFloat(S, u".", Value) ? Value : StrToFloat(DeAmericanize(S.toString()));
}

bool TryDoubleFromStr(const QString& S, double& Value) {
    return ParseFloat(S, u".", Value) || TryStrToFloat(DeAmericanize(S), Value);
}

double DoubleFromStrDef(const QString& S, double Default) {
    double Value = Default;
    return TryDoubleFromStr(S, Value) ? Value : Default;
}

std::vector<double> StringToDoubleArray(const QString& S) {
    std::vector<double> Result;
    for (const QString& Part : SplitList(DeAmericanize(S)))
        Result.push_back(StrToFloat(Part));
    return Result;
}

QString DoubleArrayToString(const std::vector<double>& A) {
    QStringList Parts;
    Parts.reserve(qsizetype(A.size()));
    for (const double X : A)
        Parts << DoubleToStr(X);
    return Parts.join(u';');
}

std::vector<int> StringToIntegerArray(const QString& S) {
    std::vector<int> Result;
    for (const QString& Part : SplitList(S))
        Result.push_back(StrToInt(Part));
    return Result;
}

QString IntegerArrayToString(const std::vector<int>& A) {
    QStringList Parts;
    Parts.reserve(qsizetype(A.size()));
    for (const int N : A)
        Parts << QString::number(N);
    return Parts.join(u';');
}

bool IsIntegerDigit(QChar Ch) {
    return Ch == u'+' || Ch == u'-' || IsAsciiDigit(Ch);
}

bool IsAmericanNumberDigit(QChar Ch) {
    return IsIntegerDigit(Ch) || Ch == u'.' || Ch == u'E' || Ch == u'e';
}

void EraseToNumber(QString& S) {
    S.remove(0, NumberStart(S, false));
}

int ExtractOneInt(QStringView& S) {
    qsizetype I = 0;
    while (I < S.size() && !IsIntegerDigit(S[I]))
        ++I;
    S = S.sliced(I);
    qsizetype End = 0;
    const bool Negative = !S.isEmpty() && S[0] == u'-';
    if (!S.isEmpty() && !IsAsciiDigit(S[0])) ++End;
    const qsizetype DigitsStart = End;
    qint64 Value = 0;
    for (; End < S.size() && IsAsciiDigit(S[End]); ++End)
        Value = qMin(Value * 10 + S[End].digitValue(), qint64(1) << 32);
    if (Negative) Value = -Value;
    if (End == DigitsStart || Value > std::numeric_limits<int>::max() ||
        Value < std::numeric_limits<int>::min())
        throw EConvertError(Qvlocalize::SIntegerExtraction.Text());
    S = S.sliced(qMin(End + 1, S.size()));
    return int(Value);
}

double ExtractOneDouble(QStringView& S) {
    SkipToNumber(S);
    const qsizetype Signed = !S.isEmpty() && (S[0] == u'+' || S[0] == u'-') ? 1 : 0;
    if (AtKeyword(S.sliced(Signed))) {
        double Result = std::numeric_limits<double>::quiet_NaN();
        if (S[Signed].toUpper() == u'I')
            Result = (Signed && S[0] == u'-' ? -1 : 1) * std::numeric_limits<double>::infinity();
        S = S.sliced(Signed + 3);
        SkipToNumber(S);
        return Result;
    }
    double Value = 0;
    bool InRange = false;
    const qsizetype Length = ScanNumber(S, u".", Value, InRange);
    if (Length == 0 || !InRange) throw EConvertError(Qvlocalize::SFloatExtraction.Text());
    S = S.sliced(qMin(Length + 1, S.size()));
    SkipToNumber(S);
    return Value;
}

int ExtractOneInt(QString& S) {
    return ExtractFrom(S, [](QStringView& View) { return ExtractOneInt(View); });
}

double ExtractOneDouble(QString& S) {
    return ExtractFrom(S, [](QStringView& View) { return ExtractOneDouble(View); });
}

int ShiftStateToInt(TShiftState Shift) {
    return Shift.toInt() & 0xFFFF;
}

TShiftState IntToShiftState(int N) {
    return TShiftState::fromInt(N & 0xFFFF);
}

QString ShiftStateToStr(TShiftState Shift) {
    return QString::number(ShiftStateToInt(Shift));
}

TShiftState StrToShiftState(const QString& S) {
    return IntToShiftState(StrToInt(S));
}

QString FormatFloat(const QString& Format, double Value) {
    if (std::isnan(Value)) return QStringLiteral("NAN");
    if (std::isinf(Value)) return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const QList<QStringView> Sections = FormatSections(Format);
    if (Sections[0].isEmpty()) return FloatToStr(Value);
    // An empty or missing section for negative values or zero falls back to the first.
    const auto Pick = [&Sections](int Index) {
        return Index < Sections.size() && !Sections[Index].isEmpty() ? Index : 0;
    };
    int Index = Pick(Value > 0 ? 0 : Value < 0 ? 1 : 2);
    TFormatSection Section = ScanSection(Sections[Index]);
    TDecimal Rounded = RoundForSection(Section, std::fabs(Value));
    if (Rounded.Digits.empty() && Index != Pick(2)) {
        // What shows as zero is formatted as zero.
        Index = Pick(2);
        Section = ScanSection(Sections[Index]);
    }
    return FormatSection(Sections[Index], Section, Rounded,
                         Value < 0 && Index == 0 && !Rounded.Digits.empty());
}
