#pragma once

// The formula language of function series, fits and caption variables. A formula is parsed
// once into a tree of nodes; evaluating the tree calls the getters of the variables it uses,
// so the tree stays valid while the values behind it change. Names come from process-wide
// registries in which components publish values under their component reference, and from
// lists private to one parser.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>

class TComponent;
class TStrings;
class QRecursiveMutex;

namespace QvParser {
Q_NAMESPACE

// Kind of a node.
enum class TQvArg : std::uint8_t {
    Constant,
    Getter,
    Address,
    DoubleArray,
    OnePrm,
    TwoPrm
};
Q_ENUM_NS(TQvArg)

} // namespace QvParser

using QvParser::TQvArg;

using TQvDoubleGetter = std::function<double()>;
using TQvStringGetter = std::function<QString()>;
using TQvArrayValGetter = std::function<double(int)>;
using TQvOnePrmFunction = double (*)(double);
using TQvTwoPrmFunction = double (*)(double, double);

// A function of one argument that formulas may call, with its name and description.
struct TQvFunctionRec {
    QString Id;
    QString Comment;
    TQvOnePrmFunction AFunction = nullptr;
};

// A numeric variable that formulas may read: its name, description, publisher and getter.
struct TQvDoubleGetterRec {
    QString Id;
    QString Comment;
    TComponent* Container = nullptr;
    TQvDoubleGetter AGetter;
    // Where the value lives, for variables read straight from memory; nullptr otherwise.
    const double* Address = nullptr;
};

// A text variable that captions may quote: its name, description, publisher and getter.
struct TQvStringGetterRec {
    QString Id;
    QString Comment;
    TComponent* Container = nullptr;
    TQvStringGetter AGetter;
};

// An array variable that formulas may index: its name, description, publisher and getter.
struct TQvDoubleArrayRec {
    QString Id;
    QString Comment;
    TComponent* Container = nullptr;
    TQvArrayValGetter AArray;
};

using TQvFunctionsList = QList<TQvFunctionRec>;
using TQvDoubleGetterList = QList<TQvDoubleGetterRec>;
using TQvStringGetterList = QList<TQvStringGetterRec>;
using TQvDoubleArrayList = QList<TQvDoubleArrayRec>;

// The process-wide registries. The function list starts with the built-in functions. They are
// shared by all threads: the functions below lock RegistryLock() themselves; code that walks a
// list or keeps a reference into it holds that lock meanwhile.
QRecursiveMutex& RegistryLock();
TQvFunctionsList& GlobalFunctionList();
TQvDoubleGetterList& GlobalVariableList();
TQvStringGetterList& GlobalStringList();
TQvDoubleArrayList& GlobalArrayList();

// Replace the entry of the same Id (and, for the others, the same Container) or append.
void AddFunctionToList(const QString& Id, const QString& Comment, TQvOnePrmFunction Function,
                       TQvFunctionsList& List);
void AddVariableToList(const QString& Id, const QString& Comment, TComponent* Container,
                       TQvDoubleGetter Getter, TQvDoubleGetterList& List);
// A variable whose value formulas read at Address, which must outlive them: no call per use,
// for formulas evaluated millions of times.
void AddVariableToList(const QString& Id, const QString& Comment, const double* Address,
                       TQvDoubleGetterList& List);
void AddStringToList(const QString& Id, const QString& Comment, TComponent* Container,
                     TQvStringGetter Getter, TQvStringGetterList& List);
void AddArrayToList(const QString& Id, const QString& Comment, TComponent* Container,
                    TQvArrayValGetter Getter, TQvDoubleArrayList& List);
void RemoveFromFunctionsList(const QString& Id, TQvFunctionsList& List);
// Components call these when they are destroyed or renamed.
void RemoveFromVariablesList(const TComponent* Container, TQvDoubleGetterList& List);
void RemoveFromStringList(const TComponent* Container, TQvStringGetterList& List);
void RemoveFromArrayList(const TComponent* Container, TQvDoubleArrayList& List);

// The container's component reference, ".", Id; Id alone without container.
QString FullVariableName(const TComponent* Container, const QString& Id);
// Index of the entry named Name (case-insensitive; full names for variables), -1 if none.
qsizetype IndexOfFunction(QStringView Id, const TQvFunctionsList& List);
qsizetype IndexOfVariable(QStringView Name, const TQvDoubleGetterList& List);
qsizetype IndexOfString(QStringView Name, const TQvStringGetterList& List);
qsizetype IndexOfArray(QStringView Name, const TQvDoubleArrayList& List);

// A component that publishes variables keeps the components whose formulas or captions use
// them; AddObjectToUpdate ignores an object it already has.
class TQvVariablesContainer {
public:
    virtual ~TQvVariablesContainer() = default;
    // Keeps Object, to be told when the variables change.
    virtual void AddObjectToUpdate(TComponent* Object) = 0;
};

// A component whose formulas or captions use the variables of others; told to parse them again.
class TQvVariablesUser {
public:
    virtual ~TQvVariablesUser() = default;
    // A variable used changed: parse the formulas and captions again.
    virtual void UpdateVariables() = 0;
};

// Calls UpdateVariables on each entry that is a TQvVariablesUser; entries destroyed meanwhile
// are skipped.
void UpdateVariablesObjects(const QList<TComponent*>& List);

// A node of a parsed formula: a constant, a variable, an array element or an operation.
class TQvNode {
public:
    TQvNode() = default;
    TQvNode(const TQvNode&) = delete;
    TQvNode& operator=(const TQvNode&) = delete;

    // Getters and arrays of a container that has gone (or is going) give NaN.
    double GetResult() const;

    // The arithmetic a function node does inline instead of calling its function.
    enum class TOperator : std::uint8_t {
        Call,
        Plus,
        Minus,
        Times,
        Over,
        Negative
    };

    TQvArg Token = TQvArg::Constant;
    TOperator Operator = TOperator::Call;
    double AConstant = 0;
    TQvDoubleGetter AGetter;
    const double* AAddress = nullptr;
    TQvArrayValGetter AArray;
    TQvOnePrmFunction AOnePrmFunction = nullptr;
    TQvTwoPrmFunction ATwoPrmFunction = nullptr;
    std::unique_ptr<TQvNode> NodeOne;
    std::unique_ptr<TQvNode> NodeTwo;
    // The component behind AGetter or AArray, when it has one.
    QPointer<QObject> Container;
    bool HasContainer = false;

private:
    bool ContainerAlive() const;
};

// Parses a formula once into a tree of nodes and evaluates it on demand.
class TQvFunctionParser {
public:
    // Longest formula accepted, and deepest tree: untrusted text must neither take long nor
    // exhaust the stack.
    static constexpr int MaxExpressionLength = 65536;
    static constexpr int MaxNestingDepth = 512;

    TQvFunctionParser();
    ~TQvFunctionParser();
    TQvFunctionParser(const TQvFunctionParser&) = delete;
    TQvFunctionParser& operator=(const TQvFunctionParser&) = delete;

    const QString& GetExpression() const { return FExpression; }
    // Raises EMathError for a formula that does not parse.
    void SetExpression(const QString& S);
    bool HasValidExpression() const { return FStartNode != nullptr; }
    // Raises EExternal without a parsed expression, and EZeroDivide, EOverflow or EInvalidOp
    // when an operation on finite numbers has no finite result (1/0, Ln(0), Exp(1000),
    // Sqrt(-1)). Variables and array elements may be NaN or infinite; that is no error.
    double GetResult() const;

    // Recorded as dependent of every component whose variables a formula uses.
    TComponent* GetOwner() const { return FOwner; }
    void SetOwner(TComponent* Value) { FOwner = Value; }

    // Searched before the global lists.
    TQvFunctionsList FunctionsList;
    TQvDoubleGetterList VariablesList;

private:
    void Parse();
    void BuildTree(TQvNode& Node, QStringView S, int Depth);
    std::unique_ptr<TQvNode> NewNode(QStringView S, int Depth);

    QString FExpression;
    std::unique_ptr<TQvNode> FStartNode;
    TComponent* FOwner = nullptr;
};

// Text with every "<%name%>" replaced by FindTheVar(name, Owner); "<%<%" after the opening
// and "%>%>" after the closing stand for the literal delimiters.
QString ParseVariables(const QString& Text, TComponent* Owner);
// A string variable's text (itself passed through ParseVariables), or "expression;format"
// evaluated and formatted (general format when the format is empty). Parsing errors propagate.
QString FindTheVar(const QString& Name, TComponent* Owner);

// One line per global function for pick lists.
void PopulateListWithFunctions(TStrings* Strings);
