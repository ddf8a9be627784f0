// The formula parser: operators, functions, errors, published variables and text variables.

#include "parser/qvparsefkt.h"

#include "../qvtest.h"
#include "framework/qvexceptions.h"
#include "framework/qvforms.h"
#include "framework/qvstringlist.h"

#include <gtest/gtest.h>

#include <QSet>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

double Eval(const QString& Expression) {
    TQvFunctionParser Parser;
    Parser.SetExpression(Expression);
    return Parser.GetResult();
}

QString ParseError(const QString& Expression) {
    return MessageOf<EMathError>([&] { Eval(Expression); });
}

// Publishes a variable, an array and text variables, and keeps the components that use them,
// as series and graphs do.
class TPublisher : public TComponent, public TQvVariablesContainer {
public:
    explicit TPublisher(TComponent* AOwner) : TComponent(AOwner) {
        SetName(QStringLiteral("Pub"));
        AddVariableToList(
            QStringLiteral("Slope"), QStringLiteral("Slope of the line"), this,
            [this] {
                ++Reads;
                return Slope;
            },
            GlobalVariableList());
        AddArrayToList(
            QStringLiteral("Coeff"), QStringLiteral("Coefficients"), this,
            [this](int i) {
                ++Reads;
                LastIndex = i;
                return Coefficients.at(i);
            },
            GlobalArrayList());
    }
    ~TPublisher() override {
        RemoveFromVariablesList(this, GlobalVariableList());
        RemoveFromArrayList(this, GlobalArrayList());
        RemoveFromStringList(this, GlobalStringList());
    }
    void AddText(const QString& Id, const QString& Text) {
        AddStringToList(
            Id, QString(), this, [Text] { return Text; }, GlobalStringList());
    }
    void AddObjectToUpdate(TComponent* Object) override {
        if (!ObjectsToUpdate.contains(Object)) ObjectsToUpdate.append(Object);
    }

    double Slope = 2.5;
    std::vector<double> Coefficients{10, 11, 12, 13};
    int Reads = 0;
    int LastIndex = -1;
    QList<TComponent*> ObjectsToUpdate;
};

class TUser : public TComponent, public TQvVariablesUser {
public:
    using TComponent::TComponent;
    void UpdateVariables() override { ++Updates; }
    int Updates = 0;
};

struct TPublished {
    TPublished() : Module(nullptr) {
        Module.SetName(QStringLiteral("Calc"));
        Publisher = new TPublisher(&Module);
        User = new TUser(&Module);
        User->SetName(QStringLiteral("User"));
    }
    TDataModule Module;
    TPublisher* Publisher;
    TUser* User;
};

} // namespace

TEST(Parser, OperatorsFollowPrecedenceAndAssociativity) {
    const QList<std::pair<QString, double>> Cases = {
        {"2+3*4", 14},       {"[2+3]*4", 20},     {"10-4-3", 3},    {"64/4/2", 8},
        {"2^3^2", 64},       {"-2^2", -4},        {"2^-1", 0.5},    {"3*(-4)", -12},
        {"1E-5+2", 2.00001}, {"2+1E-5", 2.00001}, {"2.5e+1-5", 20}, {"+7", 7},
        {"-(-3)", 3},        {"(-2)^3", -8},      {"0^0", 1},       {"SQR(3)", 9}};
    for (const auto& [Expression, Value] : Cases)
        EXPECT_EQ(Eval(Expression), Value) << Expression.toStdString();

    TQvFunctionParser Parser;
    Parser.SetExpression(" [1 + 2] * 3 ");
    EXPECT_EQ(Parser.GetExpression(), "(1+2)*3");
}

TEST(Parser, ErrorsNameTheFailingText) {
    // The message ends with the text that failed to parse.
    const QList<std::pair<QString, QString>> Cases = {{"3*-4", ""},         {"--3", ""},
                                                      {"foo(2)", "FOO(2)"}, {"1+bar", "BAR"},
                                                      {"1)+(2", "1)+(2"},   {"2^^3", "^3"}};
    for (const auto& [Expression, Rest] : Cases)
        EXPECT_EQ(ParseError(Expression), "Parsing error in function:\r" + Rest)
            << Expression.toStdString();
    EXPECT_EQ(ParseError("(1+2"), "1 closing brackets missing");
    EXPECT_EQ(ParseError("1+2))"), "2 opening brackets missing");

    TQvFunctionParser Parser;
    Parser.SetExpression("1+1");
    // A bracket error keeps the previous tree, a parsing error leaves none.
    EXPECT_THROW(Parser.SetExpression("(1+1"), EMathError);
    EXPECT_EQ(Parser.GetResult(), 2);
    EXPECT_THROW(Parser.SetExpression("1+foo"), EMathError);
    EXPECT_EQ(MessageOf<EExternal>([&] { Parser.GetResult(); }), "No valid expression defined");
    Parser.SetExpression("4");
    Parser.SetExpression("  ");
    EXPECT_FALSE(Parser.HasValidExpression());
}

TEST(Parser, BuiltInFunctions) {
    const TQvFunctionsList& List = GlobalFunctionList();
    ASSERT_EQ(List.size(), 28);
    EXPECT_EQ(List[3].Comment, "Reciprocal of Sine");
    // Lg is another name for Lg10.
    EXPECT_EQ(List[18].Comment, List[17].Comment);
    EXPECT_EQ(List[18].AFunction, List[17].AFunction);
    EXPECT_EQ(List[27].Comment, "Hyperbolic tangent");

    // One case per function; halves round to even.
    constexpr double Pi = std::numbers::pi, E = std::numbers::e, Sqrt2 = std::numbers::sqrt2;
    const QList<std::pair<QString, double>> Exact = {
        {"abs(-2.5)", 2.5},     {"ArcSin(1)", Pi / 2}, {"ArcTan(1)", Pi / 4}, {"Ceil(-1.2)", -1},
        {"Cos(0)", 1},          {"DegToRad(180)", Pi}, {"Exp(1)", E},         {"Floor(-1.2)", -2},
        {"Frac(-2.75)", -0.75}, {"Int(-2.75)", -2},    {"Ln(Exp(2))", 2},     {"Lg10(1000)", 3},
        {"Lg(0.01)", -2},       {"Lg2(8)", 3},         {"RadToDeg(pi)", 180}, {"Round(2.5)", 2},
        {"Round(3.5)", 4},      {"Round(-2.6)", -3},   {"Sqrt(2)", Sqrt2},    {"Sqr(-3)", 9}};
    for (const auto& [Expression, Value] : Exact)
        EXPECT_EQ(Eval(Expression), Value) << Expression.toStdString();
    const QList<std::pair<QString, double>> Approximate = {
        {"ArcCos(0.5)", 1.0471975511965979}, {"ArcCosh(2)", 1.3169578969248166},
        {"ArcSinh(1)", 0.88137358701954305}, {"ArcTanh(0.5)", 0.54930614433405489},
        {"Cosh(1)", 1.5430806348152437},     {"Cotan(0.5)", 1.830487721712452},
        {"Sin(0.5)", 0.47942553860420301},   {"Sinh(1)", 1.1752011936438014},
        {"Tan(0.5)", 0.54630248984379051},   {"Tanh(0.5)", 0.46211715726000974}};
    for (const auto& [Expression, Value] : Approximate)
        EXPECT_DOUBLE_EQ(Eval(Expression), Value) << Expression.toStdString();

    TStringList Lines;
    PopulateListWithFunctions(&Lines);
    EXPECT_EQ(Lines.Get(0), "Abs(x) - Absolute positive value");
    EXPECT_EQ(Lines.Get(22), "Sin(x) - Sine");
}

TEST(Parser, ConstantsAndRandom) {
    TQvFunctionParser Parser;
    ASSERT_EQ(Parser.VariablesList.size(), 3);
    EXPECT_EQ(Parser.VariablesList[2].Comment,
              "Returns a random number within the range 0 <= X < 1");
    EXPECT_EQ(Eval("PI"), 3.141592653589793);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Eval("e")), 0x4005BF0A8B145774ULL);

    Parser.SetExpression("Random");
    QSet<double> Seen;
    for (int i = 0; i < 1000; ++i) {
        const double Value = Parser.GetResult();
        ASSERT_GE(Value, 0);
        ASSERT_LT(Value, 1);
        Seen.insert(Value);
    }
    EXPECT_GT(Seen.size(), 990);
}

TEST(Parser, OperationsWithoutAFiniteResultRaise) {
    const QString ZeroDivide = "Floating point division by zero";
    const QString Overflow = "Floating point overflow";
    const QString Invalid = "Invalid floating point operation";
    const QList<std::pair<QString, QString>> Cases = {
        {"1/0", ZeroDivide},      {"-1/0", ZeroDivide},      {"ln(0)", ZeroDivide},
        {"Cotan(0)", ZeroDivide}, {"0^-1", ZeroDivide},      {"10^400", Overflow},
        {"exp(1000)", Overflow},  {"1E300*1E300", Overflow}, {"0/0", Invalid},
        {"ln(-1)", Invalid},      {"sqrt(-1)", Invalid},     {"ArcSin(2)", Invalid},
        {"(-8)^(1/3)", Invalid}};
    for (const auto& [Expression, Message] : Cases)
        EXPECT_EQ(ParseError(Expression), Message) << Expression.toStdString();
    EXPECT_THROW(Eval("1/0"), EZeroDivide);
    EXPECT_THROW(Eval("exp(1000)"), EOverflow);
    EXPECT_THROW(Eval("0/0"), EInvalidOp);
    // Infinite or missing values of variables pass through: only finite arguments raise.
    TQvFunctionParser Parser;
    AddVariableToList(
        "V", "", nullptr, [] { return Inf; }, Parser.VariablesList);
    Parser.SetExpression("V+1");
    EXPECT_EQ(Parser.GetResult(), Inf);
    Parser.SetExpression("V-V");
    EXPECT_TRUE(std::isnan(Parser.GetResult()));
}

TEST(Parser, VariablesAndFunctionsOfParserAndRegistries) {
    double X = 0;
    TQvFunctionParser Parser;
    AddVariableToList(
        "X", "X-Value", nullptr, [&X] { return X; }, Parser.VariablesList);
    Parser.SetExpression("x^2+1");
    for (X = -2; X <= 2; X += 1)
        EXPECT_EQ(Parser.GetResult(), X * X + 1);

    // The parser's own names come before the global ones.
    AddVariableToList(
        "X", "", nullptr, [] { return 100.0; }, GlobalVariableList());
    AddFunctionToList(
        "Sin", "", [](double V) { return 2 * V; }, Parser.FunctionsList);
    Parser.SetExpression("sin(x)+pi");
    X = 3;
    EXPECT_EQ(Parser.GetResult(), 6 + std::numbers::pi);
    EXPECT_EQ(Eval("x"), 100);
    RemoveFromVariablesList(nullptr, GlobalVariableList());
    EXPECT_EQ(IndexOfVariable(u"X", GlobalVariableList()), -1);

    // Replacing keeps the position; a name is unique per container only.
    const auto Same = [](double V) { return V; };
    TQvFunctionsList Functions;
    AddFunctionToList("F", "first", Same, Functions);
    AddFunctionToList("G", "", Same, Functions);
    AddFunctionToList("f", "second", Same, Functions);
    ASSERT_EQ(Functions.size(), 2);
    EXPECT_EQ(Functions[0].Comment, "second");
    RemoveFromFunctionsList("F", Functions);
    ASSERT_EQ(Functions.size(), 1);
    EXPECT_EQ(Functions[0].Id, "G");

    TPublished Published;
    TComponent Other(nullptr);
    TQvDoubleGetterList Variables;
    const auto One = [] { return 1.0; };
    AddVariableToList("A", "1", Published.Publisher, One, Variables);
    AddVariableToList("A", "2", &Other, One, Variables);
    AddVariableToList("a", "3", Published.Publisher, One, Variables);
    ASSERT_EQ(Variables.size(), 2);
    EXPECT_EQ(Variables[0].Comment, "3");
    EXPECT_EQ(FullVariableName(Published.Publisher, "A"), "Calc.Pub.A");
    EXPECT_EQ(FullVariableName(nullptr, "A"), "A");
    EXPECT_EQ(IndexOfVariable(u"calc.pub.a", Variables), 0);
    EXPECT_EQ(IndexOfVariable(u"Pub.A", Variables), -1);
    RemoveFromVariablesList(Published.Publisher, Variables);
    ASSERT_EQ(Variables.size(), 1);
    EXPECT_EQ(Variables[0].Container, &Other);

    Parser.SetExpression("calc.pub.SLOPE*x");
    Published.Publisher->Slope = 4;
    EXPECT_EQ(Parser.GetResult(), 12);
}

TEST(Parser, ArraysAndDependencies) {
    TPublished Published;
    TPublisher* Publisher = Published.Publisher;
    TQvFunctionParser Parser;
    Parser.SetOwner(Published.User);
    Parser.SetExpression("Calc.Pub.Coeff(1.4)+Calc.Pub.Coeff[2.5]*calc.pub.slope");
    EXPECT_EQ(Parser.GetResult(), 11 + 12 * 2.5);
    EXPECT_EQ(Publisher->LastIndex, 2); // halves round to even
    Publisher->Coefficients[1] = 0;
    EXPECT_EQ(Parser.GetResult(), 12 * 2.5);
    ASSERT_EQ(Publisher->ObjectsToUpdate.size(), 1);
    EXPECT_EQ(Publisher->ObjectsToUpdate[0], Published.User);

    // A NaN index reads no element.
    Publisher->Slope = std::numeric_limits<double>::quiet_NaN();
    Parser.SetExpression("Calc.Pub.Coeff(Calc.Pub.Slope)");
    const int Reads = Publisher->Reads;
    EXPECT_TRUE(std::isnan(Parser.GetResult()));
    EXPECT_EQ(Publisher->Reads, Reads + 1); // the slope alone
    EXPECT_EQ(ParseError("Calc.Pub.Coeff(1+)"), "Parsing error in function:\r");

    // Without an owner nothing is recorded.
    Publisher->ObjectsToUpdate.clear();
    TQvFunctionParser Anonymous;
    Anonymous.SetExpression("Calc.Pub.Slope");
    EXPECT_TRUE(Publisher->ObjectsToUpdate.isEmpty());

    auto* Gone = new TUser(nullptr);
    QList<TComponent*> Objects{Published.User, Publisher, Published.User, nullptr, Gone};
    UpdateVariablesObjects(Objects);
    EXPECT_EQ(Published.User->Updates, 2);
    EXPECT_EQ(Gone->Updates, 1);
    delete Gone;
}

TEST(Parser, VariablesOfADestroyedContainerGiveNaN) {
    auto* Published = new TPublished;
    TQvFunctionParser Parser;
    Parser.SetExpression("Calc.Pub.Slope+Calc.Pub.Coeff(0)+1");
    EXPECT_EQ(Parser.GetResult(), 13.5);
    Published->Publisher->Destroying();
    const int Reads = Published->Publisher->Reads;
    EXPECT_TRUE(std::isnan(Parser.GetResult()));
    EXPECT_EQ(Published->Publisher->Reads, Reads);
    delete Published;
    EXPECT_TRUE(std::isnan(Parser.GetResult()));
    EXPECT_EQ(IndexOfVariable(u"Calc.Pub.Slope", GlobalVariableList()), -1);
    EXPECT_EQ(ParseError("Calc.Pub.Slope"), "Parsing error in function:\rCALC.PUB.SLOPE");
}

TEST(Parser, TextVariables) {
    EXPECT_EQ(ParseVariables("x = <%1/4%> m", nullptr), "x = 0.25 m");
    EXPECT_EQ(ParseVariables("<%pi;0.000%>|<%1234.5;#,##0%>|<%2%>", nullptr), "3.142|1,235|2");
    // Unpaired or doubled markers stay as they are.
    EXPECT_EQ(ParseVariables("a<%<%b", nullptr), "a<%b");
    EXPECT_EQ(ParseVariables("%>%>", nullptr), "%>%>");
    EXPECT_EQ(ParseVariables("<%1%>%>", nullptr), "<%1%>");
    EXPECT_EQ(ParseVariables("a<%b", nullptr), "a<%b");
    EXPECT_EQ(FindTheVar("2^10;0.0E+00", nullptr), "1.0E+03");
    EXPECT_EQ(MessageOf<EMathError>([] { ParseVariables("<%foo(1)%>", nullptr); }),
              "Parsing error in function:\rFOO(1)");
    EXPECT_EQ(MessageOf<EExternal>([] { ParseVariables("<%%>", nullptr); }),
              "No valid expression defined");

    TPublished Published;
    TPublisher* Publisher = Published.Publisher;
    Publisher->AddText("Title", "Mean <%Calc.Pub.Slope*2%>");
    EXPECT_EQ(ParseVariables("[<%calc.pub.TITLE%>]", Published.User), "[Mean 5]");
    EXPECT_EQ(Publisher->ObjectsToUpdate, QList<TComponent*>{Published.User});
    // The scan resumes inside a replacement, after its first character.
    Publisher->AddText("Escaped", "x<%<%1+1%>");
    EXPECT_EQ(FindTheVar("Calc.Pub.Escaped", nullptr), "x<%1+1%>");
    EXPECT_EQ(ParseVariables("<%Calc.Pub.Escaped%>", nullptr), "x2");

    Publisher->AddText("Self", "again <%Calc.Pub.Self%>");
    EXPECT_EQ(MessageOf<EMathError>([] { ParseVariables("<%Calc.Pub.Self%>", nullptr); }),
              "Text variable Calc.Pub.Self refers to itself or is nested more than 16 levels deep");
    Publisher->AddText("Wide", QString("<%1%>").repeated(10001));
    EXPECT_EQ(MessageOf<EMathError>([] { FindTheVar("Calc.Pub.Wide", nullptr); }),
              "A text needs more than 10000 variable replacements");
    Publisher->AddText("Wide", QString("<%1%>").repeated(5000));
    EXPECT_EQ(FindTheVar("Calc.Pub.Wide", nullptr), QString(5000, u'1'));
    // The budget is per outermost call, not per variable.
    EXPECT_THROW(ParseVariables("<%Calc.Pub.Wide%><%Calc.Pub.Wide%><%Calc.Pub.Wide%>", nullptr),
                 EMathError);

    const QString Large = QString(1'000'000, u'a') + "<%6*7%>" + QString(1'000'000, u'%');
    EXPECT_EQ(ParseVariables(Large, nullptr).size(), 2'000'002);
}

TEST(Parser, UntrustedFormulasFailWithAClearError) {
    EXPECT_EQ(ParseError(QString(100'000, u'(') + "1" + QString(100'000, u')')),
              "The expression has 200001 characters; at most 65536 are allowed");
    // Brackets, sums, powers, signs, functions; a long flat product is as deep as its length.
    for (const QString& Deep :
         {QString(600, u'(') + "1" + QString(600, u')'), "1" + QString("+1").repeated(600),
          "2" + QString("^1").repeated(600), QString(600, u'-') + "1",
          QString("sin(").repeated(600) + "1" + QString(600, u')'),
          QString("1*").repeated(30'000) + "1"})
        EXPECT_EQ(ParseError(Deep), "The expression is nested more than 512 levels deep");
    EXPECT_EQ(Eval(QString(500, u'(') + "2" + QString(500, u')')), 2);
    EXPECT_EQ(Eval("1" + QString("+1").repeated(500)), 501);
}
