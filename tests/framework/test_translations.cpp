// The library's texts in German once its translation is installed, and in English again after.

#include "../qvtest.h"

#include <framework/qvclasses.h>
#include <framework/qvexceptions.h>
#include <strings/qvlocalize.h>
#include <strings/qvtranslations.h>

#include <gtest/gtest.h>

TEST(Translations, GermanMessagesAfterInstallingTheTranslation) {
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    A->SetName("Series1");
    auto* B = new TComponent(&Owner);
    B->SetName("Series2");
    const auto Clash = [&] {
        return MessageOf<EComponentError>([&] { B->SetName("Series1"); });
    };
    EXPECT_EQ(Clash(), "A component named Series1 already exists");

    ASSERT_TRUE(Qvplot2DInstallTranslation(QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(Clash(), "Eine Komponente namens Series1 ist bereits vorhanden");
    EXPECT_EQ(Qvlocalize::SUndoButtonCaption.Text(), "Rückgängig");
    EXPECT_EQ(Format(Qvlocalize::SUndoLastOperations, {3}), "Letzte 3 Vorgänge rückgängig machen");
    // A language the library has no translation into leaves the German one in place.
    EXPECT_FALSE(Qvplot2DInstallTranslation(QLocale(QLocale::Japanese)));
    EXPECT_EQ(Qvlocalize::SUndoButtonCaption.Text(), "Rückgängig");

    ASSERT_TRUE(Qvplot2DInstallTranslation(QLocale(QLocale::English)));
    EXPECT_EQ(Clash(), "A component named Series1 already exists");
    EXPECT_EQ(Qvlocalize::SUndoButtonCaption.Text(), "Undo");
}
