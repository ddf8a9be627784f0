#pragma once

// A table of (Id, Name) rows in an SQLite database in memory, read through a QSqlTableModel, for
// the tests of database bindings.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

class TSqliteNames {
public:
    // A null entry of Names is a NULL field.
    TSqliteNames(const QString& Connection, const QString& Table, const QStringList& Names)
        : FConnection(Connection) {
        QSqlDatabase Db = QSqlDatabase::addDatabase("QSQLITE", Connection);
        Db.setDatabaseName(":memory:");
        EXPECT_TRUE(Db.open());
        QSqlQuery Query(Db);
        EXPECT_TRUE(Query.exec("CREATE TABLE " + Table + " (Id INTEGER PRIMARY KEY, Name TEXT)"));
        for (const QString& Name : Names) {
            Query.prepare("INSERT INTO " + Table + " (Name) VALUES (?)");
            Query.addBindValue(Name.isNull() ? QVariant() : QVariant(Name));
            EXPECT_TRUE(Query.exec());
        }
        FModel = std::make_unique<QSqlTableModel>(nullptr, Db);
        FModel->setTable(Table);
        EXPECT_TRUE(FModel->select());
    }
    ~TSqliteNames() {
        FModel.reset();
        QSqlDatabase::database(FConnection).close();
        QSqlDatabase::removeDatabase(FConnection);
    }
    QSqlTableModel& Model() { return *FModel; }

private:
    QString FConnection;
    std::unique_ptr<QSqlTableModel> FModel;
};
