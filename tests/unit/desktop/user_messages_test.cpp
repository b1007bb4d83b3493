#include "desktop/user_messages.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace ostrel {
namespace {

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

// Every message is Japanese whatever the inputs: no letter of the program's own is ASCII except
// the names it was given.
bool WrittenInJapanese(std::wstring text, std::initializer_list<std::wstring> given)
{
    for (const std::wstring& name : given)
        for (std::size_t at; !name.empty() && (at = text.find(name)) != std::wstring::npos;)
            text.erase(at, name.size());
    for (const wchar_t c : text)
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'))
            return false;
    return true;
}

TEST(UserMessages, StatusBitsListTheReasonsAndLeaveOutWorkInProgress)
{
    EXPECT_EQ(PrinterStatusText(0), L"");
    EXPECT_EQ(PrinterStatusText(0x00000080 | 0x00000010), L"用紙切れ、オフライン");
    EXPECT_EQ(PrinterStatusText(0x00000400 | 0x00000200), L"");  // printing, busy
    EXPECT_EQ(JobStatusText(0x00000200), L"プリンタが受け付けない");
    EXPECT_EQ(JobStatusText(0x00000010 | 0x00001000), L"");  // printing, complete
}

TEST(UserMessages, AJobTheSpoolerDidNotTakeNamesThePrinterAndTheSystemsReason)
{
    const std::wstring text = PrintFailureMessage(L"Ui-Rejecting", PrintStep::EndJob, {}, L"Invalid handle.");
    EXPECT_TRUE(Contains(text, L"プリンタ「Ui-Rejecting」は印刷ジョブを受け付けませんでした")) << text.size();
    EXPECT_TRUE(Contains(text, L"スプーラはプリンタの状態を何も示していません"));
    EXPECT_TRUE(text.ends_with(L"\n\nシステムの説明: Invalid handle."));
    EXPECT_TRUE(WrittenInJapanese(text, {L"Ui-Rejecting", L"Invalid handle."}));
}

TEST(UserMessages, WhatTheSpoolerReportsComesBeforeTheSystemsReason)
{
    QueueReport queue;
    queue.printerStatus = 0x00000080;
    queue.jobStatus = 0x00000002;
    queue.jobStatusText = L"Filter failed";
    const std::wstring text = PrintFailureMessage(L"Office", PrintStep::EndPage, queue, L"");
    EXPECT_TRUE(Contains(text, L"プリンタ「Office」での印刷中に、ページを終えられませんでした"));
    EXPECT_TRUE(Contains(text, L"\nプリンタの状態: オフライン\nジョブの状態: エラー、Filter failed"));
    EXPECT_FALSE(Contains(text, L"スプーラはプリンタの状態を何も示していません"));
    EXPECT_TRUE(text.ends_with(L"\n\nシステムは理由を示していません。"));
}

TEST(UserMessages, EveryPrintStepIsToldInJapanese)
{
    for (const PrintStep step : {PrintStep::StartJob, PrintStep::StartPage, PrintStep::EndPage, PrintStep::EndJob,
                                 PrintStep::NoResolution, PrintStep::NoFont}) {
        const std::wstring text = PrintFailureMessage(L"P", step, {}, L"");
        EXPECT_TRUE(text.starts_with(L"プリンタ「P」")) << static_cast<int>(step);
        EXPECT_TRUE(WrittenInJapanese(text, {L"「P」"})) << static_cast<int>(step);
    }
}

TEST(UserMessages, SaveFailuresNameTheFileAndTheReason)
{
    const std::wstring denied = SaveFailureMessage(L"Z:\\ro\\kept.txt", false, L"Access denied.");
    EXPECT_TRUE(denied.starts_with(L"ファイル「Z:\\ro\\kept.txt」に保存できませんでした。"));
    EXPECT_TRUE(denied.ends_with(L"\n\nシステムの説明: Access denied."));

    const std::wstring reserved = SaveFailureMessage(L"C:\\CON.txt", true, L"");
    EXPECT_TRUE(Contains(reserved, L"「C:\\CON.txt」には保存できません"));
    EXPECT_TRUE(Contains(reserved, L"装置のために予約されています"));
    EXPECT_FALSE(Contains(reserved, L"システムの説明"));
}

TEST(UserMessages, OtherFailuresAreJapaneseWithTheirDetail)
{
    for (const WindowPart part : {WindowPart::MainWindow, WindowPart::MainWindowControls, WindowPart::ToolBar,
                                  WindowPart::Menu, WindowPart::Shortcuts, WindowPart::PrinterList,
                                  WindowPart::PrinterImages, WindowPart::CommandImages, WindowPart::DocumentWindow,
                                  WindowPart::PrintProgress, WindowPart::PrintThread})
        EXPECT_TRUE(WrittenInJapanese(CannotCreateMessage(part), {})) << static_cast<int>(part);
    EXPECT_EQ(CannotShowDialogMessage(DialogKind::Find, 12), L"検索ダイアログを表示できません (コモン ダイアログのエラー 12)。");
    EXPECT_EQ(FileNameTooLongMessage(255), L"ファイル名が長すぎます。フォルダと名前を合わせて 255 文字以内にしてください。");
    EXPECT_EQ(CannotListPrinterMessage(L"Laser"), L"プリンタ「Laser」を一覧に加えられませんでした。");
    EXPECT_EQ(UnexpectedFailureMessage(L"std::bad_alloc"), L"処理を続けられませんでした。\n\n詳細: std::bad_alloc");
    EXPECT_EQ(UnexpectedFailureMessage(L""), L"処理を続けられませんでした。");
}

}  // namespace
}  // namespace ostrel
