// Message boxes, the clipboard, the printer, the idle hook and work shared by two cores.

#include "../qvtest.h"

#include <framework/qvbothcores.h>
#include <framework/qvclipbrd.h>
#include <framework/qvdialogs.h>
#include <framework/qvexceptions.h>
#include <framework/qvforms.h>
#include <framework/qvprinters.h>

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <atomic>
#include <numeric>
#include <stdexcept>

TEST(Services, MessageDlgAsksThroughTheReplaceableHandler) {
    QString Asked;
    TMsgDlgButtons Offered;
    auto Previous = SetMessageDlgHandler([&](const QString& Msg, TMsgDlgType, TMsgDlgButtons B) {
        Asked = Msg;
        Offered = B;
        return mrNo;
    });
    EXPECT_EQ(MessageDlg("Set it?", TMsgDlgType::Confirmation, TMsgDlgBtn::Yes | TMsgDlgBtn::No),
              mrNo);
    EXPECT_EQ(Asked, "Set it?");
    EXPECT_EQ(Offered, TMsgDlgBtn::Yes | TMsgDlgBtn::No);
    SetMessageDlgHandler(Previous);

    // Without a display the default handler answers at once instead of waiting forever.
    EXPECT_EQ(MessageDlg("Set it?", TMsgDlgType::Confirmation, TMsgDlgBtn::Yes | TMsgDlgBtn::No),
              mrYes);
    EXPECT_EQ(DefaultMessageDlgResult(TMsgDlgBtn::Cancel | TMsgDlgBtn::OK), mrOk);
    EXPECT_EQ(DefaultMessageDlgResult(TMsgDlgBtn::Retry | TMsgDlgBtn::Abort), mrAbort);
}

TEST(Services, ClipboardCarriesBitmapsAndVectorPictures) {
    QImage Image(8, 4, QImage::Format_ARGB32);
    Image.fill(QColor(10, 20, 30));
    Clipboard()->SetImage(Image);
    EXPECT_TRUE(Clipboard()->HasImage());
    EXPECT_FALSE(Clipboard()->HasPicture());
    EXPECT_EQ(Clipboard()->GetImage().convertToFormat(QImage::Format_ARGB32), Image);

    const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"4\"/>";
    Clipboard()->SetPicture(Svg, Image);
    EXPECT_TRUE(Clipboard()->HasPicture());
    EXPECT_EQ(Clipboard()->GetPicture(), Svg);
    EXPECT_EQ(Clipboard()->GetImage().size(), QSize(8, 4));
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasPicture());
}

TEST(Services, PrinterWritesPdfWithoutInstalledPrinter) {
    TPrinter Printer;
    EXPECT_EQ(MessageOf<EPrinter>([&] { Printer.NewPage(); }), "Printing not in progress");
    if (!TPrinter::PrinterInstalled()) {
        EXPECT_EQ(MessageOf<EPrinter>([&] { Printer.BeginDoc(); }),
                  "No printer is installed; set an output file to print into a PDF file");
    }

    QTemporaryDir Dir;
    const QString File = Dir.filePath("page.pdf");
    Printer.SetOutputFileName(File);
    Printer.SetTitle("Chart");
    Printer.BeginDoc();
    ASSERT_TRUE(Printer.Printing());
    EXPECT_THROW(Printer.BeginDoc(), EPrinter);
    EXPECT_GT(Printer.PageWidth(), 1000);
    EXPECT_GT(Printer.PageHeight(), Printer.PageWidth());
    Printer.Canvas()->fillRect(QRect(0, 0, Printer.PageWidth() / 2, 200), Qt::blue);
    Printer.NewPage();
    Printer.Canvas()->drawText(100, 100, "second page");
    Printer.EndDoc();
    EXPECT_FALSE(Printer.Printing());
    QFile Pdf(File);
    ASSERT_TRUE(Pdf.open(QIODevice::ReadOnly));
    const QByteArray Content = Pdf.readAll();
    EXPECT_TRUE(Content.startsWith("%PDF"));
    EXPECT_EQ(Content.count("/Type /Page\n") + Content.count("/Type /Page\r"), 2);
}

TEST(Services, IdleHandlersRunWhileTheLoopWaits) {
    int Calls = 0;
    {
        TIdleHook Hook([&] { ++Calls; });
        QEventLoop Loop;
        QTimer::singleShot(30, &Loop, &QEventLoop::quit);
        Loop.exec();
        EXPECT_GT(Calls, 0);
    }
    // A hook gone is never called again; handlers may remove themselves while called.
    const int Before = Calls;
    int Once = 0;
    int Id = 0;
    Id = Application()->AddIdleHandler([&] {
        ++Once;
        Application()->RemoveIdleHandler(Id);
    });
    Application()->DoIdle();
    Application()->DoIdle();
    EXPECT_EQ(Calls, Before);
    EXPECT_EQ(Once, 1);
}

TEST(Services, WorkSharedFromBothEndsRunsEveryItemOnce) {
    for (const std::size_t Count : {0, 1, 2, 1001}) {
        std::vector<std::atomic<int>> Runs(Count);
        ShareFromBothEnds(Count, [&](std::size_t k) { ++Runs[k]; });
        for (std::size_t k = 0; k < Count; ++k)
            EXPECT_EQ(Runs[k], 1) << k << " of " << Count;
        // Told which end took it, the front's items come first, the back's after them.
        std::vector<std::atomic<int>> Back(Count);
        ShareFromBothEnds(Count, [&](std::size_t k, bool FromBack) { Back[k] = FromBack + 1; });
        for (std::size_t k = 0; k < Count; ++k) {
            EXPECT_NE(Back[k], 0) << k;
            if (k) {
                EXPECT_LE(Back[k - 1], Back[k]) << k;
            }
        }
    }
    // Blocks of a range cover it once, none longer than asked, only the last shorter.
    for (const int To : {3, 40, 41, 47}) {
        std::vector<std::atomic<int>> Runs(50);
        std::atomic<int> Short{0};
        ShareBlocksFromBothEnds(3, To, 4, [&](int From, int End) {
            EXPECT_LE(End - From, 4);
            Short += End - From < 4 && End != To;
            for (int k = From; k < End; ++k)
                ++Runs[std::size_t(k)];
        });
        for (int k = 0; k < 50; ++k)
            EXPECT_EQ(Runs[std::size_t(k)], k >= 3 && k < To) << k << " to " << To;
        EXPECT_EQ(Short, 0);
    }
    // Weighted items, also where the caller already has a core and all run on it in turn.
    std::vector<int> Items(50);
    std::iota(Items.begin(), Items.end(), 1);
    for (const bool Nested : {false, true}) {
        std::atomic<int> Sum{0}, Calls{0};
        const auto Share = [&] {
            ShareOutOnBothCores(
                Items, [](int i) { return i % 7; },
                [&](int i) {
                    Sum += i;
                    ++Calls;
                });
        };
        if (Nested)
            RunOnBothCores(Share, [] {});
        else
            Share();
        EXPECT_EQ(Sum, 50 * 51 / 2);
        EXPECT_EQ(Calls, 50);
    }
}

// Items made on the second core reach this one in order, never more than the depth ahead,
// and a failure of either stage ends both without waiting for the other.
TEST(Services, PipedItemsArriveInOrderAndAFailureStopsBoth) {
    constexpr std::size_t Count = 5000, Depth = 4;
    for (const bool Nested : {false, true}) {
        std::array<std::size_t, Depth> Slots{};
        std::atomic<std::size_t> Made{0};
        std::vector<std::size_t> Used;
        const auto Pipe = [&] {
            PipeOnBothCores(
                Count, Depth, 2,
                [&](std::size_t k) {
                    Slots[k % Depth] = k * 3;
                    ++Made;
                },
                [&](std::size_t k) {
                    EXPECT_LE(Made.load(), k + Depth);
                    Used.push_back(Slots[k % Depth] / 3);
                });
        };
        if (Nested)
            RunOnBothCores(Pipe, [] {});
        else
            Pipe();
        std::vector<std::size_t> Expected(Count);
        std::iota(Expected.begin(), Expected.end(), 0);
        EXPECT_EQ(Used, Expected);
    }
    for (const bool InMake : {false, true}) {
        std::atomic<std::size_t> Done{0};
        const auto Stage = [&](bool Fails) {
            return [&, Fails](std::size_t k) {
                if (Fails && k == 100) throw std::runtime_error("stage");
                ++Done;
            };
        };
        EXPECT_THROW(PipeOnBothCores(Count, Depth, 2, Stage(InMake), Stage(!InMake)),
                     std::runtime_error);
        EXPECT_LE(Done, 200 + Depth);
    }
}

TEST(Services, WorkOnBothCoresFinishesBothPartsAndPassesOnAFailure) {
    std::atomic<int> Done{0};
    RunOnBothCores([&] { ++Done; }, [&] { ++Done; });
    EXPECT_EQ(Done, 2);
    EXPECT_THROW(RunOnBothCores([] {}, [] { throw std::runtime_error("second"); }),
                 std::runtime_error);
    // The first part's failure is thrown once the second part has finished.
    Done = 0;
    EXPECT_THROW(RunOnBothCores([] { throw std::logic_error("first"); }, [&] { ++Done; }),
                 std::logic_error);
    EXPECT_EQ(Done, 1);
    // Parts that share out again run their halves in turn, on their own thread, and the same
    // failures come through.
    std::thread::id Threads[2][2];
    const auto Nested = [&](int Part) {
        RunOnBothCores([&] { Threads[Part][0] = std::this_thread::get_id(); },
                       [&] { Threads[Part][1] = std::this_thread::get_id(); });
    };
    RunOnBothCores([&] { Nested(0); }, [&] { Nested(1); });
    EXPECT_EQ(Threads[0][0], std::this_thread::get_id());
    EXPECT_EQ(Threads[0][1], Threads[0][0]);
    EXPECT_NE(Threads[1][0], Threads[0][0]);
    EXPECT_EQ(Threads[1][1], Threads[1][0]);
    Done = 0;
    EXPECT_THROW(
        RunOnBothCores(
            [&] { RunOnBothCores([] { throw std::logic_error("first"); }, [&] { ++Done; }); },
            [] {}),
        std::logic_error);
    EXPECT_EQ(Done, 1);
    // Afterwards this thread shares out again.
    RunOnBothCores([] {}, [&] { Threads[0][1] = std::this_thread::get_id(); });
    EXPECT_NE(Threads[0][1], std::this_thread::get_id());
    // Callers on several threads at once: one has the kept second thread, the others fresh
    // ones, and every part of every call runs once.
    Done = 0;
    std::vector<std::thread> Callers;
    for (int c = 0; c < 3; ++c)
        Callers.emplace_back([&] {
            for (int k = 0; k < 300; ++k)
                RunOnBothCores([&] { ++Done; }, [&] { ++Done; });
        });
    for (std::thread& Caller : Callers)
        Caller.join();
    EXPECT_EQ(Done, 3 * 300 * 2);
    // A child process forked without the kept thread starts one of its own.
    EXPECT_EXIT(
        {
            RunOnBothCores([] {}, [] {});
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
