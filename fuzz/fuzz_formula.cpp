// Formulas: any text is parsed and, when it parses, evaluated with a few variables defined; the
// same text is also expanded as caption variables.

#include "fuzzing.h"

#include <parser/qvparsefkt.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QString Text = QString::fromUtf8(QvFuzz::Bytes(Data, Size));
    static QvFuzz::TChart Chart;
    TQvFunctionParser Parser;
    Parser.SetOwner(Chart.Series);
    double X = 0.5;
    AddVariableToList(QStringLiteral("x"), QString(), nullptr, [&X] { return X; },
                      Parser.VariablesList);
    AddVariableToList(QStringLiteral("Big"), QString(), nullptr, [] { return 1e308; },
                      Parser.VariablesList);
    try {
        Parser.SetExpression(Text);
        for (const double Value : {0.5, 0.0, -1e300}) {
            X = Value;
            Parser.GetResult();
        }
    } catch (const Exception&) {
    }
    try {
        ParseVariables(Text, Chart.Series);
    } catch (const Exception&) {
    }
    return 0;
}
