// Rubrics read from a field of a real SQLite table.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <framework/qvdb.h>
#include <framework/qvexceptions.h>
#include <framework/qvstringlist.h>

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>

namespace {

TEST(AxisRubrics, DatabaseBinding) {
    QSqlDatabase Db = QSqlDatabase::addDatabase("QSQLITE", "qvaxisrubrics");
    Db.setDatabaseName(":memory:");
    ASSERT_TRUE(Db.open());
    {
        QSqlQuery Query(Db);
        ASSERT_TRUE(Query.exec("CREATE TABLE Months (Id INTEGER PRIMARY KEY, Name TEXT)"));
        ASSERT_TRUE(Query.exec("INSERT INTO Months VALUES (1, 'Jan'), (2, NULL), (3, 'Mar')"));
        auto Model = std::make_unique<QSqlTableModel>(nullptr, Db);
        Model->setTable("Months");
        ASSERT_TRUE(Model->select());

        TChart Chart;
        auto* Source = new TDataSource(Chart.Owner.get());
        Source->SetModel(Model.get());
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
    Db.close();
    Db = QSqlDatabase();
    QSqlDatabase::removeDatabase("qvaxisrubrics");
}

} // namespace
