#pragma once

// A fit's results as parser variables of its series, each under its name with its
// description, read from the fit's calculation when a formula or caption asks.

#include "framework/qvclasses.h"
#include "parser/qvparsefkt.h"
#include "strings/qvlocalize.h"

#include <initializer_list>

// A fit result to publish: the variable's name, its description and the field that holds it.
template <class C> struct TFitVariable {
    const char* Name;
    const TResourceString& Comment;
    double C::*Field;
};

// Publishes each of Variables as a parser variable of Series, read from Calc when asked.
template <class C>
void AddFitVariables(TComponent* Series, const C& Calc,
                     std::initializer_list<TFitVariable<C>> Variables) {
    for (const TFitVariable<C>& Variable : Variables) {
        const auto Field = Variable.Field;
        AddVariableToList(
            QString::fromLatin1(Variable.Name), Variable.Comment.Text(), Series,
            [&Calc, Field] { return Calc.*Field; }, GlobalVariableList());
    }
}

// The statistics every fit gives: means, variances, r2 and the sum of squared residuals.
template <class C> void AddFitStatistics(TComponent* Series, const C& Calc) {
    using namespace Qvlocalize;
    AddFitVariables<C>(Series, Calc,
                       {{"AverageX", SRegressionAverageXVariable, &C::AverageX},
                        {"AverageY", SRegressionAverageYVariable, &C::AverageY},
                        {"VarianceX", SRegressionVarianceXVariable, &C::VarianceX},
                        {"VarianceY", SRegressionVarianceYVariable, &C::VarianceY},
                        {"Probability", SRegressionProbabilityVariable, &C::r2},
                        {"SumOfResiduals", SRegressionResidualsVariable, &C::SumOfResiduals}});
}
