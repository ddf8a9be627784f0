#include "parser/qvparsefkt.h"

#include "axes/qvstringfunctions.h"
#include "framework/qvclasses.h"
#include "framework/qvexceptions.h"
#include "framework/qvforms.h"
#include "framework/qvstringlist.h"
#include "strings/qvlocalize.h"

#include <QMutexLocker>
#include <QRecursiveMutex>

#include <algorithm>
#include <cfenv>
#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

using namespace Qvlocalize;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Plain functions with IEEE results; evaluation turns a non-finite result of finite arguments
// into the floating-point exception it stands for.
double Negate(double X) {
    return -X;
}
double Add(double A, double B) {
    return A + B;
}
double Subtract(double A, double B) {
    return A - B;
}
double Multiply(double A, double B) {
    return A * B;
}
double Divide(double A, double B) {
    return A / B;
}
double Power(double A, double B) {
    // The commonest power, exact and far cheaper than pow.
    if (B == 2) return A * A;
    return std::pow(A, B);
}

double Abs(double X) {
    return std::fabs(X);
}
double ArcCos(double X) {
    return std::acos(X);
}
double ArcCosh(double X) {
    return std::acosh(X);
}
double ArcSin(double X) {
    return std::asin(X);
}
double ArcSinh(double X) {
    return std::asinh(X);
}
double ArcTan(double X) {
    return std::atan(X);
}
double ArcTanh(double X) {
    return std::atanh(X);
}
double Ceil(double X) {
    return std::ceil(X);
}
double Cos(double X) {
    return std::cos(X);
}
double Cosh(double X) {
    return std::cosh(X);
}
double Cotan(double X) {
    return 1.0 / std::tan(X);
}
double DegToRad(double X) {
    return X * (std::numbers::pi / 180.0);
}
double Exp(double X) {
    return std::exp(X);
}
double Floor(double X) {
    return std::floor(X);
}
double Frac(double X) {
    return X - std::trunc(X);
}
double Int(double X) {
    return std::trunc(X);
}
double Ln(double X) {
    return std::log(X);
}
double Lg10(double X) {
    return std::log10(X);
}
double Lg2(double X) {
    return std::log2(X);
}
double RadToDeg(double X) {
    return X * (180.0 / std::numbers::pi);
}
// Halves go to the even neighbour, as the rounding of the index of an array element.
double Round(double X) {
    return std::nearbyint(X);
}
double Sin(double X) {
    return std::sin(X);
}
double Sinh(double X) {
    return std::sinh(X);
}
double Sqrt(double X) {
    return std::sqrt(X);
}
double Sqr(double X) {
    return X * X;
}
double Tan(double X) {
    return std::tan(X);
}
double Tanh(double X) {
    return std::tanh(X);
}

TQvFunctionsList BuiltInFunctions() {
    const struct {
        const char* Id;
        const TResourceString& Comment;
        TQvOnePrmFunction Function;
    } Table[] = {
        {"Abs", SFunctionAbs, Abs},
        {"ArcCos", SFunctionArcCos, ArcCos},
        {"ArcCosh", SFunctionArcCosh, ArcCosh},
        {"ArcSin", SFunctionArcSin, ArcSin},
        {"ArcSinh", SFunctionArcSinh, ArcSinh},
        {"ArcTan", SFunctionArcTan, ArcTan},
        {"ArcTanh", SFunctionArcTanh, ArcTanh},
        {"Ceil", SFunctionCeil, Ceil},
        {"Cos", SFunctionCos, Cos},
        {"Cosh", SFunctionCosh, Cosh},
        {"Cotan", SFunctionCotan, Cotan},
        {"DegToRad", SFunctionDegToRad, DegToRad},
        {"Exp", SFunctionExp, Exp},
        {"Floor", SFunctionFloor, Floor},
        {"Frac", SFunctionFrac, Frac},
        {"Int", SFunctionInt, Int},
        {"Ln", SFunctionLn, Ln},
        {"Lg10", SFunctionLg10, Lg10},
        {"Lg", SFunctionLg10, Lg10},
        {"Lg2", SFunctionLg2, Lg2},
        {"RadToDeg", SFunctionRadToDeg, RadToDeg},
        {"Round", SFunctionRound, Round},
        {"Sin", SFunctionSin, Sin},
        {"Sinh", SFunctionSinh, Sinh},
        {"Sqrt", SFunctionSqrt, Sqrt},
        {"Sqr", SFunctionSqr, Sqr},
        {"Tan", SFunctionTan, Tan},
        {"Tanh", SFunctionTanh, Tanh},
    };
    TQvFunctionsList List;
    for (const auto& Entry : Table)
        List.append({QString::fromLatin1(Entry.Id), Entry.Comment.Text(), Entry.Function});
    return List;
}

// SplitMix64: good enough for a plotting formula, and reseeding costs nothing.
thread_local std::uint64_t RandomState = 0;

void Randomize() {
    // Parsers created within one clock tick still get different sequences.
    thread_local std::uint64_t Calls = 0;
    const auto Now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    RandomState = std::uint64_t(Now) ^ (++Calls << 32);
}

// 53 random bits, so never 1.0.
double RandomValue() {
    std::uint64_t Z = (RandomState += 0x9E3779B97F4A7C15ULL);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBULL;
    Z ^= Z >> 31;
    return double(Z >> 11) * 0x1.0p-53;
}

// Pi, e and Random, which every parser starts with; shared until a parser changes its list.
const TQvDoubleGetterList& ParserVariables() {
    static const TQvDoubleGetterList List{
        {QStringLiteral("Pi"), SVariablePi.Text(), nullptr, [] { return std::numbers::pi; }},
        {QStringLiteral("e"), SVariableE.Text(), nullptr, [] { return 2.71828182845905; }},
        {QStringLiteral("Random"), SVariableRandom.Text(), nullptr, RandomValue},
    };
    return List;
}

bool IsDigit(QChar Ch) {
    return Ch >= u'0' && Ch <= u'9';
}

// Whether Text is the full name of Id in Container, without building the name unless the
// tail already matches: parsing looks up every operand.
bool IsFullName(QStringView Text, const QString& Id, const TComponent* Container) {
    if (!Container) return Text.compare(Id, Qt::CaseInsensitive) == 0;
    const qsizetype RefLength = Text.size() - Id.size() - 1;
    if (RefLength < 0 || Text[RefLength] != u'.' || !Text.endsWith(Id, Qt::CaseInsensitive))
        return false;
    return Text.first(RefLength).compare(GetComponentRef(Container), Qt::CaseInsensitive) == 0;
}

template <class TList> qsizetype IndexOfFullName(QStringView Name, const TList& List) {
    for (qsizetype i = 0; i < List.size(); ++i)
        if (IsFullName(Name, List[i].Id, List[i].Container)) return i;
    return -1;
}

void RecordDependency(TComponent* Container, TComponent* Owner) {
    if (!Container || !Owner) return;
    if (auto* Publisher = dynamic_cast<TQvVariablesContainer*>(Container))
        Publisher->AddObjectToUpdate(Owner);
}

template <class TList, class TRec> void AddOrReplace(TList& List, TRec Rec) {
    for (TRec& Existing : List) {
        if (Existing.Container == Rec.Container &&
            Existing.Id.compare(Rec.Id, Qt::CaseInsensitive) == 0) {
            Existing = std::move(Rec);
            return;
        }
    }
    List.append(std::move(Rec));
}

// Positions of the rightmost operators of each level outside brackets, -1 when there is none.
// An additive operator ends the search, as it is split first.
struct TOperators {
    qsizetype Additive = -1;
    qsizetype Multiplicative = -1;
    qsizetype Power = -1;
};

TOperators FindOperators(QStringView S) {
    TOperators Result;
    int Level = 0;
    // The first character is never an operator, so the scan stops before it.
    for (qsizetype i = S.size() - 1; i > 0; --i) {
        const QChar Ch = S[i];
        if (Ch == u')') {
            ++Level;
        } else if (Ch == u'(') {
            --Level;
        } else if (Level == 0 && S[i - 1] != u'^') {
            if (Ch == u'+' || Ch == u'-') {
                const bool ExponentSign = S[i - 1] == u'E' && i >= 2 && IsDigit(S[i - 2]);
                if (!ExponentSign) {
                    Result.Additive = i;
                    return Result;
                }
            } else if (Ch == u'*' || Ch == u'/') {
                if (Result.Multiplicative < 0) Result.Multiplicative = i;
            } else if (Ch == u'^') {
                if (Result.Power < 0) Result.Power = i;
            }
        }
    }
    return Result;
}

} // namespace

// ---- Registries ----

// The registries live as long as the process: components owned by the application are freed
// after static objects are destroyed, and they still unregister their variables then.
QRecursiveMutex& RegistryLock() {
    static auto* Lock = new QRecursiveMutex;
    return *Lock;
}

TQvFunctionsList& GlobalFunctionList() {
    static auto* List = new TQvFunctionsList(BuiltInFunctions());
    return *List;
}

TQvDoubleGetterList& GlobalVariableList() {
    static auto* List = new TQvDoubleGetterList;
    return *List;
}

TQvStringGetterList& GlobalStringList() {
    static auto* List = new TQvStringGetterList;
    return *List;
}

TQvDoubleArrayList& GlobalArrayList() {
    static auto* List = new TQvDoubleArrayList;
    return *List;
}

void AddFunctionToList(const QString& Id, const QString& Comment, TQvOnePrmFunction Function,
                       TQvFunctionsList& List) {
    const QMutexLocker Lock(&RegistryLock());
    const qsizetype Index = IndexOfFunction(Id, List);
    if (Index >= 0)
        List[Index] = {Id, Comment, Function};
    else
        List.append({Id, Comment, Function});
}

void AddVariableToList(const QString& Id, const QString& Comment, TComponent* Container,
                       TQvDoubleGetter Getter, TQvDoubleGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    AddOrReplace(List, TQvDoubleGetterRec{Id, Comment, Container, std::move(Getter)});
}

void AddVariableToList(const QString& Id, const QString& Comment, const double* Address,
                       TQvDoubleGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    AddOrReplace(List,
                 TQvDoubleGetterRec{Id, Comment, nullptr, [Address] { return *Address; }, Address});
}

void AddStringToList(const QString& Id, const QString& Comment, TComponent* Container,
                     TQvStringGetter Getter, TQvStringGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    AddOrReplace(List, TQvStringGetterRec{Id, Comment, Container, std::move(Getter)});
}

void AddArrayToList(const QString& Id, const QString& Comment, TComponent* Container,
                    TQvArrayValGetter Getter, TQvDoubleArrayList& List) {
    const QMutexLocker Lock(&RegistryLock());
    AddOrReplace(List, TQvDoubleArrayRec{Id, Comment, Container, std::move(Getter)});
}

void RemoveFromFunctionsList(const QString& Id, TQvFunctionsList& List) {
    const QMutexLocker Lock(&RegistryLock());
    List.removeIf(
        [&Id](const TQvFunctionRec& Rec) { return Rec.Id.compare(Id, Qt::CaseInsensitive) == 0; });
}

void RemoveFromVariablesList(const TComponent* Container, TQvDoubleGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    List.removeIf(
        [Container](const TQvDoubleGetterRec& Rec) { return Rec.Container == Container; });
}

void RemoveFromStringList(const TComponent* Container, TQvStringGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    List.removeIf(
        [Container](const TQvStringGetterRec& Rec) { return Rec.Container == Container; });
}

void RemoveFromArrayList(const TComponent* Container, TQvDoubleArrayList& List) {
    const QMutexLocker Lock(&RegistryLock());
    List.removeIf([Container](const TQvDoubleArrayRec& Rec) { return Rec.Container == Container; });
}

QString FullVariableName(const TComponent* Container, const QString& Id) {
    return Container ? GetComponentRef(Container) + u'.' + Id : Id;
}

qsizetype IndexOfFunction(QStringView Id, const TQvFunctionsList& List) {
    const QMutexLocker Lock(&RegistryLock());
    for (qsizetype i = 0; i < List.size(); ++i)
        if (List[i].Id.compare(Id, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

qsizetype IndexOfVariable(QStringView Name, const TQvDoubleGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    return IndexOfFullName(Name, List);
}

qsizetype IndexOfString(QStringView Name, const TQvStringGetterList& List) {
    const QMutexLocker Lock(&RegistryLock());
    return IndexOfFullName(Name, List);
}

qsizetype IndexOfArray(QStringView Name, const TQvDoubleArrayList& List) {
    const QMutexLocker Lock(&RegistryLock());
    return IndexOfFullName(Name, List);
}

void UpdateVariablesObjects(const QList<TComponent*>& List) {
    // A copy of weak references: an update may change the caller's list or free a component.
    QList<QPointer<TComponent>> Objects;
    Objects.reserve(List.size());
    for (TComponent* Object : List)
        Objects.append(Object);
    for (const QPointer<TComponent>& Object : Objects)
        if (auto* User = dynamic_cast<TQvVariablesUser*>(Object.data())) User->UpdateVariables();
}

// ---- TQvNode ----

bool TQvNode::ContainerAlive() const {
    if (!HasContainer) return true;
    const QObject* Object = Container.data();
    return Object && !static_cast<const TComponent*>(Object)->IsDestroying();
}

namespace {

// Result of Apply on finite arguments, which raised a floating-point exception when the result
// is not finite; Apply runs once more to ask the floating-point unit which one.
template <class F> double Checked(double Result, F Apply) {
    if (std::isfinite(Result)) return Result;
    std::feclearexcept(FE_ALL_EXCEPT);
    Apply();
    if (std::fetestexcept(FE_DIVBYZERO)) throw EZeroDivide(SZeroDivide.Text());
    if (std::fetestexcept(FE_OVERFLOW) || std::isinf(Result)) throw EOverflow(SOverflow.Text());
    throw EInvalidOp(SInvalidOp.Text());
}

} // namespace

double TQvNode::GetResult() const {
    switch (Token) {
    case TQvArg::Constant:
        return AConstant;
    case TQvArg::Getter:
        return ContainerAlive() ? AGetter() : NaN;
    case TQvArg::Address:
        return *AAddress;
    case TQvArg::DoubleArray: {
        const double Index = std::nearbyint(NodeOne->GetResult());
        // NaN and indices beyond 32 bits have no element.
        if (!(Index >= std::numeric_limits<int>::min() && Index <= std::numeric_limits<int>::max()))
            return NaN;
        return ContainerAlive() ? AArray(int(Index)) : NaN;
    }
    case TQvArg::OnePrm: {
        const double X = NodeOne->GetResult();
        if (Operator == TOperator::Negative) return -X;
        const double Result = AOnePrmFunction(X);
        if (!std::isfinite(X)) return Result;
        return Checked(Result, [&] { return AOnePrmFunction(X); });
    }
    case TQvArg::TwoPrm: {
        const double Left = NodeOne->GetResult();
        const double Right = NodeTwo->GetResult();
        double Result;
        switch (Operator) {
        case TOperator::Plus:
            Result = Left + Right;
            break;
        case TOperator::Minus:
            Result = Left - Right;
            break;
        case TOperator::Times:
            Result = Left * Right;
            break;
        case TOperator::Over:
            Result = Left / Right;
            break;
        default:
            Result = ATwoPrmFunction(Left, Right);
        }
        if (!std::isfinite(Left) || !std::isfinite(Right)) return Result;
        return Checked(Result, [&] { return ATwoPrmFunction(Left, Right); });
    }
    }
    return NaN;
}

// ---- TQvFunctionParser ----

TQvFunctionParser::TQvFunctionParser() : VariablesList(ParserVariables()) {
    Randomize();
}

TQvFunctionParser::~TQvFunctionParser() = default;

void TQvFunctionParser::SetExpression(const QString& S) {
    if (S == FExpression) return;
    QString Normalised;
    Normalised.reserve(S.size());
    for (QChar Ch : S) {
        if (Ch == u' ') continue;
        if (Ch == u'[')
            Ch = u'(';
        else if (Ch == u']')
            Ch = u')';
        Normalised += Ch;
    }
    FExpression = Normalised;
    if (FExpression.isEmpty())
        FStartNode.reset();
    else
        Parse();
}

double TQvFunctionParser::GetResult() const {
    if (!FStartNode) throw EExternal(SNoValidExpression.Text());
    return FStartNode->GetResult();
}

void TQvFunctionParser::Parse() {
    if (FExpression.isEmpty()) return;
    // The registry entries found are copied into the tree while no other thread changes them.
    const QMutexLocker Lock(&RegistryLock());
    if (FExpression.size() > MaxExpressionLength)
        throw EMathError(
            Format(SExpressionTooLong, {int(FExpression.size()), MaxExpressionLength}));
    qsizetype Balance = 0;
    for (const QChar Ch : FExpression) {
        if (Ch == u'(')
            ++Balance;
        else if (Ch == u')')
            --Balance;
    }
    if (Balance > 0) throw EMathError(Format(SClosingBracketsMissing, {unsigned(Balance)}));
    if (Balance < 0) throw EMathError(Format(SOpeningBracketsMissing, {unsigned(-Balance)}));
    FStartNode.reset();
    const QString Upper = FExpression.toUpper();
    FStartNode = NewNode(Upper, 0);
}

std::unique_ptr<TQvNode> TQvFunctionParser::NewNode(QStringView S, int Depth) {
    auto Node = std::make_unique<TQvNode>();
    BuildTree(*Node, S, Depth);
    return Node;
}

void TQvFunctionParser::BuildTree(TQvNode& Node, QStringView S, int Depth) {
    if (Depth > MaxNestingDepth) throw EMathError(Format(SExpressionTooDeep, {MaxNestingDepth}));
    using TOperator = TQvNode::TOperator;
    // The operators of arithmetic keep their function, which tells a floating-point fault
    // apart, but are done inline.
    const auto Binary = [&](qsizetype At, TQvTwoPrmFunction Function, TOperator Operator) {
        Node.Token = TQvArg::TwoPrm;
        Node.ATwoPrmFunction = Function;
        Node.Operator = Operator;
        Node.NodeOne = NewNode(S.first(At), Depth + 1);
        Node.NodeTwo = NewNode(S.sliced(At + 1), Depth + 1);
    };
    const auto Unary = [&](TQvOnePrmFunction Function, QStringView Argument) {
        Node.Token = TQvArg::OnePrm;
        Node.AOnePrmFunction = Function;
        Node.NodeOne = NewNode(Argument, Depth + 1);
    };

    const TOperators Operators = FindOperators(S);
    if (Operators.Additive > 0) {
        const bool Plus = S[Operators.Additive] == u'+';
        return Binary(Operators.Additive, Plus ? Add : Subtract,
                      Plus ? TOperator::Plus : TOperator::Minus);
    }
    if (Operators.Multiplicative > 0) {
        const bool Times = S[Operators.Multiplicative] == u'*';
        return Binary(Operators.Multiplicative, Times ? Multiply : Divide,
                      Times ? TOperator::Times : TOperator::Over);
    }
    if (S.startsWith(u'+')) return BuildTree(Node, S.sliced(1), Depth + 1);
    if (S.startsWith(u'-')) {
        Unary(Negate, S.sliced(1));
        Node.Operator = TOperator::Negative;
        return;
    }
    if (Operators.Power > 0) return Binary(Operators.Power, Power, TOperator::Call);

    const qsizetype Open = S.indexOf(u'(');
    if (Open >= 0) {
        // Between the first "(" and the last character, whatever that is.
        const QStringView Inner = S.sliced(Open + 1, qMax<qsizetype>(0, S.size() - Open - 2));
        const QStringView Name = S.first(Open);
        if (Open == 0) return BuildTree(Node, Inner, Depth + 1);
        const qsizetype Array = IndexOfArray(Name, GlobalArrayList());
        if (Array >= 0) {
            const TQvDoubleArrayRec& Rec = GlobalArrayList().at(Array);
            Node.Token = TQvArg::DoubleArray;
            Node.AArray = Rec.AArray;
            Node.Container = Rec.Container;
            Node.HasContainer = Rec.Container != nullptr;
            RecordDependency(Rec.Container, FOwner);
            Node.NodeOne = NewNode(Inner, Depth + 1);
            return;
        }
        qsizetype Function = IndexOfFunction(Name, FunctionsList);
        if (Function >= 0) return Unary(FunctionsList.at(Function).AFunction, Inner);
        Function = IndexOfFunction(Name, GlobalFunctionList());
        if (Function >= 0) return Unary(GlobalFunctionList().at(Function).AFunction, Inner);
    }

    const TQvDoubleGetterRec* Variable = nullptr;
    if (const qsizetype i = IndexOfVariable(S, VariablesList); i >= 0)
        Variable = &VariablesList.at(i);
    else if (const qsizetype j = IndexOfVariable(S, GlobalVariableList()); j >= 0)
        Variable = &GlobalVariableList().at(j);
    if (Variable && Variable->Address) {
        Node.Token = TQvArg::Address;
        Node.AAddress = Variable->Address;
        return;
    }
    if (Variable) {
        Node.Token = TQvArg::Getter;
        Node.AGetter = Variable->AGetter;
        Node.Container = Variable->Container;
        Node.HasContainer = Variable->Container != nullptr;
        RecordDependency(Variable->Container, FOwner);
        return;
    }

    double Value = 0;
    if (TryStrToFloat(S.toString(), Value)) {
        Node.Token = TQvArg::Constant;
        Node.AConstant = Value;
        return;
    }
    throw EMathError(Format(SParsingError, {S.toString()}));
}

// ---- Text with variables ----

namespace {

// Text variables may refer to each other, and to themselves by mistake.
constexpr int MaxTextVariableNesting = 16;
constexpr int MaxReplacements = 10000;

struct TTextScan {
    int Active = 0;  // calls of ParseVariables and FindTheVar under way
    int Nesting = 0; // text variables being expanded
    int Replacements = 0;
};
thread_local TTextScan TextScan;

// The replacement budget belongs to the outermost call.
class TTextScanCall {
public:
    TTextScanCall() {
        if (TextScan.Active++ == 0) TextScan.Replacements = 0;
    }
    ~TTextScanCall() { --TextScan.Active; }
    TTextScanCall(const TTextScanCall&) = delete;
    TTextScanCall& operator=(const TTextScanCall&) = delete;
};

class TTextVariableNesting {
public:
    explicit TTextVariableNesting(const QString& Name) {
        if (TextScan.Nesting >= MaxTextVariableNesting)
            throw EMathError(Format(STextVariablesTooDeep, {Name, MaxTextVariableNesting}));
        ++TextScan.Nesting;
    }
    ~TTextVariableNesting() { --TextScan.Nesting; }
    TTextVariableNesting(const TTextVariableNesting&) = delete;
    TTextVariableNesting& operator=(const TTextVariableNesting&) = delete;
};

// The text still to scan, kept reversed: a replacement goes in at its front, which is the end
// of the string, so each step costs only the characters it passes.
class TReversedText {
public:
    explicit TReversedText(const QString& Text) : FText(Text) {
        std::reverse(FText.begin(), FText.end());
    }
    qsizetype Size() const { return FText.size(); }
    QChar At(qsizetype i) const { return FText[FText.size() - 1 - i]; }
    bool IsPair(qsizetype i, char16_t A, char16_t B) const {
        return i + 1 < Size() && At(i) == A && At(i + 1) == B;
    }
    qsizetype Find(qsizetype From, char16_t A, char16_t B) const {
        for (qsizetype i = From; i + 1 < Size(); ++i)
            if (IsPair(i, A, B)) return i;
        return -1;
    }
    QString Mid(qsizetype From, qsizetype Count) const {
        QString Result;
        Result.reserve(Count);
        for (qsizetype i = From; i < From + Count; ++i)
            Result += At(i);
        return Result;
    }
    // Moves the first Count characters to Out.
    void Take(qsizetype Count, QString& Out) {
        Out += Mid(0, Count);
        FText.chop(Count);
    }
    void Drop(qsizetype Count) { FText.chop(Count); }
    void Prepend(const QString& S) {
        for (qsizetype i = S.size() - 1; i >= 0; --i)
            FText += S[i];
    }

private:
    QString FText;
};

} // namespace

QString ParseVariables(const QString& Text, TComponent* Owner) {
    if (!Text.contains(u"<%")) return Text;
    TTextScanCall Call;
    QString Result;
    Result.reserve(Text.size());
    TReversedText Rest(Text);
    for (;;) {
        const qsizetype Open = Rest.Find(0, u'<', u'%');
        if (Open < 0) break;
        if (Rest.IsPair(Open + 2, u'<', u'%')) {
            Rest.Take(Open + 2, Result);
            Rest.Drop(2);
            continue;
        }
        const qsizetype Close = Rest.Find(Open + 2, u'%', u'>');
        if (Close < 0) break;
        if (Rest.IsPair(Close + 2, u'%', u'>')) {
            Rest.Take(Close + 2, Result);
            Rest.Drop(2);
            continue;
        }
        if (++TextScan.Replacements > MaxReplacements)
            throw EMathError(Format(STooManyTextVariables, {MaxReplacements}));
        const QString Name = Rest.Mid(Open + 2, Close - Open - 2);
        Rest.Take(Open, Result);
        Rest.Drop(Close + 2 - Open);
        Rest.Prepend(FindTheVar(Name, Owner));
        // The scan goes on one character after the start of the replacement.
        Rest.Take(qMin<qsizetype>(1, Rest.Size()), Result);
    }
    Rest.Take(Rest.Size(), Result);
    return Result;
}

QString FindTheVar(const QString& Name, TComponent* Owner) {
    TTextScanCall Call;
    std::optional<TQvStringGetterRec> Found;
    {
        const QMutexLocker Lock(&RegistryLock());
        const qsizetype Index = IndexOfString(Name, GlobalStringList());
        if (Index >= 0) Found = GlobalStringList().at(Index);
    }
    if (Found) {
        const TQvStringGetterRec& Rec = *Found;
        RecordDependency(Rec.Container, Owner);
        TTextVariableNesting Nesting(Name);
        return ParseVariables(Rec.AGetter(), Owner);
    }
    const qsizetype Semicolon = Name.indexOf(u';');
    TQvFunctionParser Parser;
    Parser.SetOwner(Owner);
    Parser.SetExpression(Semicolon < 0 ? Name : Name.left(Semicolon));
    const double Value = Parser.GetResult();
    const QString NumberFormat = Semicolon < 0 ? QString() : Name.mid(Semicolon + 1);
    return NumberFormat.isEmpty() ? FloatToStr(Value) : FormatFloat(NumberFormat, Value);
}

void PopulateListWithFunctions(TStrings* Strings) {
    if (!Strings) return;
    Strings->BeginUpdate();
    Strings->Clear();
    const QMutexLocker Lock(&RegistryLock());
    for (const TQvFunctionRec& Rec : GlobalFunctionList())
        Strings->Add(Format(SFunctionListEntry, {Rec.Id, Rec.Comment}));
    Strings->EndUpdate();
}
