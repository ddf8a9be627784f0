// Editor controls bound to chart settings through property links: real key presses on their
// widgets, the undo steps they make, the idle pass that makes them follow, and their samples.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <editors/qvedits.h>
#include <editors/qvpickers.h>
#include <editors/qvtunecolors.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <strings/qvlocalize.h>
#include <undo/qvundostack.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qvlocalize;

namespace {

// A chart with two named series and an undo stack, and a panel for editors.
struct TLinkedChart : TChart {
    TLinkedChart() {
        Stack = new TQvUndoStack(Owner.get());
        First = NewSeries(NewVector({}, {1, 2, 3}), NewVector({}, {1, 4, 9}));
        First->SetName("First");
        Second = NewSeries(NewVector({}, {1, 2, 3}), NewVector({}, {2, 3, 4}));
        Second->SetName("Second");
        Graph->SetUndoStack(Stack);
        Panel = new TCustomPanel(Owner.get());
        Panel->SetBounds(0, 0, 300, 200);
    }
    QString Path(const QString& Rest) const { return Owner->GetName() + u'.' + Rest; }
    template <class T> T* Editor(std::initializer_list<QString> Links) {
        auto* Edit = new T(Owner.get());
        Edit->SetParent(Panel);
        Edit->GetPropertyLinks()->GetItems()->AddStrings(Links);
        return Edit;
    }
    void Show() {
        Panel->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Panel->Widget()));
    }
    TQvUndoStack* Stack;
    TQvPointSeries *First = nullptr, *Second = nullptr;
    TCustomPanel* Panel;
};

} // namespace

TEST(PropertyLinks, PathsResolveFollowSurviveRenamesAndReportWhatIsWrong) {
    TLinkedChart Chart;
    Chart.First->GetLine()->SetColor(0xFF112233);
    auto* Combo = Chart.Editor<TQvColorPickCombo>(
        {Chart.Path("First.Line.Color"), Chart.Path("second.line.color").toLower(),
         "NoSuchForm.First.Line.Color", Chart.Path("First.Line.Nope"), Chart.Path("First.Line"),
         Chart.Path("First.Caption.Length")});
    TQvPropertyLinks* Links = Combo->GetPropertyLinks();

    // Resolving makes the control take the first link's value, names and all in any case.
    Links->CheckLink();
    EXPECT_EQ(Combo->GetColor(), 0xFF112233u);
    EXPECT_TRUE(Links->LinkResolved(0));
    EXPECT_TRUE(Links->LinkResolved(1));
    EXPECT_EQ(Links->LinkError(2),
              "Property link \"NoSuchForm.First.Line.Color\": there is no form or data module "
              "named \"NoSuchForm\"");
    EXPECT_EQ(Links->LinkError(3), "Property link \"" + Chart.Path("First.Line.Nope") +
                                       "\": \"Nope\" is neither a component nor a published "
                                       "property of TQvLineSettings");
    EXPECT_EQ(Links->LinkError(4), "Property link \"" + Chart.Path("First.Line") +
                                       "\" ends at an object, not at a value");
    EXPECT_TRUE(Links->LinkError(5).contains("\"Length\" is neither"));

    // A value goes to every resolved link; the broken ones are skipped.
    Combo->SetColor(0xFF00FF00);
    EXPECT_EQ(Chart.First->GetLine()->GetColor(), 0xFF00FF00u);
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), 0xFF00FF00u);

    // Changed elsewhere, the first link's value reaches the control at the next idle pass,
    // without being written back to the others.
    Chart.First->GetLine()->SetColor(0xFFABCDEF);
    Application()->DoIdle();
    EXPECT_EQ(Combo->GetColor(), 0xFFABCDEFu);
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), 0xFF00FF00u);

    // Renamed components keep their links; the texts catch up on request.
    Chart.First->SetName("Renamed");
    Links->UpdateLinkNames();
    EXPECT_EQ(Links->GetItems()->Get(0), Chart.Path("Renamed.Line.Color"));
    EXPECT_EQ(Links->GetItems()->Get(2), "NoSuchForm.First.Line.Color");

    // The texts travel with the control; the copy resolves to the same properties.
    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    TWriter(&Buffer).WriteComponent(Combo);
    Buffer.seek(0);
    auto* Copy = static_cast<TQvColorPickCombo*>(TReader(&Buffer).ReadComponent(nullptr, nullptr));
    std::unique_ptr<TQvColorPickCombo> Owned(Copy);
    EXPECT_EQ(Copy->GetPropertyLinks()->GetItems()->ToStringList(),
              Links->GetItems()->ToStringList());
    Copy->SetColor(0xFF000080);
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), 0xFF000080u);

    // A freed component drops its link and nothing else.
    delete Chart.First;
    EXPECT_FALSE(Links->LinkResolved(0));
    Combo->SetColor(0xFF800000);
    Application()->DoIdle();
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), 0xFF800000u);

    EXPECT_EQ(MessageOf<EFilerError>([&] { TQvPropertyLinks(Combo, "Colour"); }),
              "TQvColorPickCombo has no published property \"Colour\"");
}

TEST(EditorControls, KeyPressesWriteEveryLinkAsOneUndoStep) {
    TLinkedChart Chart;
    Chart.FixAxes(0, 10);
    auto* Start =
        Chart.Editor<TQvDoubleEdit>({Chart.Path("Graph1X.Start"), Chart.Path("Graph1Y.Start")});
    auto* Colour = Chart.Editor<TQvColorPickCombo>(
        {Chart.Path("First.Line.Color"), Chart.Path("Second.Line.Color")});
    auto* Step = Chart.Editor<TQvNumUpDown>({Chart.Path("First.Line.Width")});
    auto* Title = Chart.Editor<TQvCaptionEdit>({Chart.Path("Graph1.Caption")});
    Start->SetTop(30), Step->SetTop(60), Title->SetTop(90);
    Chart.Show();
    Application()->DoIdle();
    Chart.Stack->Clear();
    const TQvColor FirstColor = Chart.First->GetLine()->GetColor();
    const TQvColor SecondColor = Chart.Second->GetLine()->GetColor();

    // Typing a number and Return sets both axes' starts, undone in one step.
    auto* Edit = qobject_cast<QLineEdit*>(Start->Editor());
    ASSERT_NE(Edit, nullptr);
    EXPECT_EQ(Edit->text(), "0");
    Edit->selectAll();
    QTest::keyClicks(Edit, "2.5");
    QTest::keyClick(Edit, Qt::Key_Return);
    EXPECT_EQ(Chart.X->GetStart(), 2.5);
    EXPECT_EQ(Chart.Y->GetStart(), 2.5);
    ASSERT_EQ(Chart.Stack->UndoCount(), 1);
    EXPECT_EQ(Chart.Stack->UndoList()->Get(0), SAxisStart.Text());

    // Text that is no number puts the value back.
    Edit->selectAll();
    QTest::keyClicks(Edit, "two");
    QTest::keyClick(Edit, Qt::Key_Return);
    EXPECT_EQ(Edit->text(), "2.5");
    EXPECT_EQ(Chart.Stack->UndoCount(), 1);

    // The arrow key on the closed colour list picks the next colour for both series.
    auto* Combo = qobject_cast<QComboBox*>(Colour->Editor());
    const int Before = Combo->currentIndex();
    QTest::keyClick(Combo, Qt::Key_Down);
    const TQvColor Picked = NamedColorValue(Before + 1);
    EXPECT_EQ(Chart.First->GetLine()->GetColor(), Picked);
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), Picked);
    ASSERT_EQ(Chart.Stack->UndoCount(), 2);
    EXPECT_EQ(Chart.Stack->UndoList()->Get(0), SLineColor.Text());

    // The up-down steps by its increment; the caption edit applies when Return is pressed.
    QTest::keyClick(qobject_cast<QDoubleSpinBox*>(Step->Editor()), Qt::Key_Up);
    EXPECT_EQ(Chart.First->GetLine()->GetWidth(), Chart.Second->GetLine()->GetWidth() + 1);
    auto* TitleEdit = qobject_cast<QLineEdit*>(Title->Editor());
    QTest::keyClicks(TitleEdit, "Growth");
    EXPECT_EQ(Chart.Graph->GetCaption(), "");
    QTest::keyClick(TitleEdit, Qt::Key_Return);
    EXPECT_EQ(Chart.Graph->GetCaption(), "Growth");
    EXPECT_EQ(Chart.Stack->UndoCount(), 4);

    // A setting that refuses the value reports it to the application, not into Qt's loop.
    QString Refused;
    Application()->SetOnException(
        [&](TObject*, const std::exception& Error) { Refused = QString::fromUtf8(Error.what()); });
    auto* Name = Chart.Editor<TQvCaptionEdit>({Chart.Path("Second.Name")});
    Name->SetTop(120);
    auto* NameEdit = qobject_cast<QLineEdit*>(Name->Editor());
    QTest::keyClicks(NameEdit, "two words");
    QTest::keyClick(NameEdit, Qt::Key_Return);
    Application()->SetOnException({});
    EXPECT_EQ(Refused, "'two words' is not a valid component name");
    EXPECT_EQ(Chart.Second->GetName(), "Second");

    // Undoing down to the colour step restores both series; the controls follow at the next
    // idle pass.
    Chart.Stack->Undo(2);
    EXPECT_EQ(Chart.First->GetLine()->GetColor(), FirstColor);
    EXPECT_EQ(Chart.Second->GetLine()->GetColor(), SecondColor);
    Chart.Stack->Undo(0);
    EXPECT_EQ(Chart.X->GetStart(), 0);
    EXPECT_EQ(Chart.Y->GetStart(), 0);
    Application()->DoIdle();
    EXPECT_EQ(Edit->text(), "0");
    EXPECT_EQ(Combo->currentIndex(), Before);
}

TEST(EditorControls, PickersListTheirEntriesWithSamplesDrawnByTheLibrary) {
    TLinkedChart Chart;
    auto* Dashes = Chart.Editor<TQvDashStylePicker>({});
    auto* Areas = Chart.Editor<TQvAreaStylePicker>({});
    auto* Symbols = Chart.Editor<TQvPointSymbolPicker>({});
    auto* Colours = Chart.Editor<TQvColorPickCombo>({});
    EXPECT_EQ(Dashes->ItemCount(), 5);
    EXPECT_EQ(Dashes->ItemText(4), "Dash dot dot");
    EXPECT_EQ(Areas->ItemCount(), 54);
    EXPECT_EQ(Areas->ItemText(int(TQvAreaStyle::Percent05)), "5 %");
    EXPECT_EQ(Areas->ItemText(int(TQvAreaStyle::Total)), "Total");
    EXPECT_EQ(Symbols->ItemText(int(TQvPointSymbol::FiveStar)), "Five star");

    // A colour without a name heads the list under its number.
    EXPECT_EQ(Colours->ItemCount(), NamedColorCount());
    Colours->SetColor(0xFF1F77B4);
    EXPECT_EQ(Colours->ItemCount(), NamedColorCount() + 1);
    EXPECT_EQ(Colours->ItemText(0), "$FF1F77B4");
    EXPECT_EQ(Colours->ItemIndex(), 0);

    // Along the middle row a solid line is unbroken, a dashed one has gaps.
    const auto Gaps = [&](int Style) {
        const QImage Sample = Dashes->SampleImage(Style);
        int Count = 0;
        for (int x = 3; x < Sample.width() - 3; ++x)
            Count += qAlpha(Sample.pixel(x, Sample.height() / 2)) < 64;
        return Count;
    };
    EXPECT_EQ(Gaps(int(TGPDashStyle::Solid)), 0);
    EXPECT_GT(Gaps(int(TGPDashStyle::Dash)), 3);
    EXPECT_GT(Gaps(int(TGPDashStyle::Dot)), Gaps(int(TGPDashStyle::Dash)));

    // A filled square symbol: fill colour inside, outline colour at its edge.
    Symbols->SetFillColor(0xFFFF0000);
    const QImage Square = Symbols->SampleImage(int(TQvPointSymbol::Square));
    const QPoint Centre(Square.width() / 2, Square.height() / 2);
    EXPECT_EQ(QColor(Square.pixel(Centre)), QColor(Qt::red));
    // A hatch alternates its two colours; the solid fill is one colour.
    const QImage Hatch = Areas->SampleImage(int(TQvAreaStyle::Cross));
    const QImage Solid = Areas->SampleImage(int(TQvAreaStyle::Total));
    QSet<QRgb> HatchColours, SolidColours;
    for (int x = 2; x < 30; ++x)
        for (int y = 2; y < 14; ++y)
            HatchColours.insert(Hatch.pixel(x, y)), SolidColours.insert(Solid.pixel(x, y));
    EXPECT_GE(HatchColours.size(), 2);
    EXPECT_EQ(SolidColours.size(), 1);
    // A see-through colour shows the chequer board below it.
    Colours->SetColor(0x80FF0000);
    const QImage Translucent = Colours->SampleImage(0);
    EXPECT_NE(Translucent.pixel(2, 2), Translucent.pixel(6, 2));
}

TEST(EditorControls, TuneColorsDialogWritesTheTunedColourWhenAccepted) {
    TLinkedChart Chart;
    Chart.First->GetLine()->SetColor(0xFF3366CC);
    auto* Dialog = new TQvTuneColorsDialog(Chart.Owner.get());
    Dialog->GetPropertyLinks()->GetItems()->Add(Chart.Path("First.Line.Color"));
    Dialog->GetPropertyLinks()->CheckLink();
    EXPECT_EQ(Dialog->GetColor(), 0xFF3366CCu);

    const auto Answer = [](int Lightness, bool Accept) {
        QTimer::singleShot(0, [=] {
            auto* Form = qobject_cast<TQvTuneColorsForm*>(QApplication::activeModalWidget());
            ASSERT_NE(Form, nullptr);
            Form->LightnessSlider()->setValue(Lightness);
            Form->OpacitySlider()->setValue(128);
            Accept ? Form->accept() : Form->reject();
        });
    };
    Answer(90, false);
    EXPECT_FALSE(Dialog->Execute());
    EXPECT_EQ(Chart.First->GetLine()->GetColor(), 0xFF3366CCu);
    Answer(90, true);
    EXPECT_TRUE(Dialog->Execute());
    const TQvColor Tuned = Chart.First->GetLine()->GetColor();
    EXPECT_EQ(Tuned, Dialog->GetColor());
    EXPECT_EQ(GetAlpha(Tuned), 128);
    EXPECT_NEAR(GetBrightness(Tuned), 0.9, 0.01);
    EXPECT_NEAR(GetHue(Tuned), GetHue(0xFF3366CC), 1);
}
