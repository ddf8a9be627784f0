// Rubrics read from a field of a real SQLite table.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../sqlitetable.h"

#include <framework/qvdb.h>
#include <framework/qvexceptions.h>
#include <framework/qvstringlist.h>

#include <gtest/gtest.h>

namespace {

TEST(AxisRubrics, DatabaseBinding) {
    TSqliteNames Table("qvaxisrubrics", "Months", {"Jan", QString(), "Mar"});
    TChart Chart;
    auto* Source = new TDataSource(Chart.Owner.get());
    Source->SetModel(&Table.Model());
    TQvAxis* Axis = Chart.X;
    Axis->SetScaling(TQvAxisScaling::Rubrics);
    Axis->SetRubricsField("Name");
    Axis->SetDataSource(Source);
    EXPECT_EQ(Axis->GetRubrics(), nullptr);
    TStringList Other;
    EXPECT_EQ(MessageOf<Exception>([&] { Axis->SetRubrics(&Other); }),
              "Setting rubrics not allowed with database binding set");

    // Read at the start of the next calculation pass, a null field as "", and shown.
    Chart.Paint();
    QStringList Shown;
    for (int i = 0; i < Axis->Labels().Count(); ++i)
        Shown.append(Axis->Labels().Get(i)->GetPlainText());
    EXPECT_TRUE(Shown.contains("Jan") && Shown.contains("Mar")) << Shown.join(',').toStdString();
    Axis->SetDataSource(nullptr);
    ASSERT_NE(Axis->GetRubrics(), nullptr);
    EXPECT_EQ(Axis->GetRubrics()->ToStringList(), QStringList({"Jan", "", "Mar"}));

    // Freeing the data source ends the binding.
    Axis->SetDataSource(Source);
    delete Source;
    EXPECT_EQ(Axis->GetDataSource(), nullptr);
    EXPECT_NE(Axis->GetRubrics(), nullptr);
}

} // namespace
