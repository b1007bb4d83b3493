#include "desktop/user_messages.h"

#include <span>

namespace ostrel {

namespace {

struct StatusBit {
    std::uint32_t bit;
    const wchar_t* text;
};

// The printer states that stop or hold printing (the platform's PRINTER_STATUS_ bits); states of
// work in progress (busy, printing, warming up) are no reason and are left out.
constexpr StatusBit PrinterStates[] = {
    {0x00000001, L"一時停止中"},          {0x00000002, L"エラー"},
    {0x00000004, L"削除待ち"},            {0x00000008, L"紙詰まり"},
    {0x00000010, L"用紙切れ"},            {0x00000020, L"手差し用紙待ち"},
    {0x00000040, L"用紙の問題"},          {0x00000080, L"オフライン"},
    {0x00000800, L"排紙トレイが満杯"},    {0x00001000, L"使用不可"},
    {0x00040000, L"トナー切れ"},          {0x00080000, L"ページを処理できない"},
    {0x00100000, L"ユーザーの操作が必要"}, {0x00200000, L"メモリ不足"},
    {0x00400000, L"カバーが開いている"},  {0x00800000, L"サーバーの状態が不明"},
};

// The job states that tell why it did not print (the platform's JOB_STATUS_ bits).
constexpr StatusBit JobStates[] = {
    {0x00000001, L"一時停止中"},   {0x00000002, L"エラー"},
    {0x00000004, L"削除中"},       {0x00000020, L"プリンタがオフライン"},
    {0x00000040, L"用紙切れ"},     {0x00000100, L"削除済み"},
    {0x00000200, L"プリンタが受け付けない"}, {0x00000400, L"ユーザーの操作が必要"},
};

std::wstring StatusList(std::uint32_t status, std::span<const StatusBit> table)
{
    std::wstring text;
    for (const StatusBit& state : table) {
        if ((status & state.bit) == 0)
            continue;
        if (!text.empty())
            text += L"、";
        text += state.text;
    }
    return text;
}

std::wstring Quoted(std::wstring_view name)
{
    return L"「" + std::wstring(name) + L"」";
}

std::wstring PrintStepText(std::wstring_view printer, PrintStep step)
{
    const std::wstring on = L"プリンタ" + Quoted(printer);
    switch (step) {
    case PrintStep::StartJob:
        return on + L"で印刷を始められませんでした。";
    case PrintStep::StartPage:
        return on + L"での印刷中に、ページを始められませんでした。印刷は中止しました。";
    case PrintStep::EndPage:
        return on + L"での印刷中に、ページを終えられませんでした。印刷は中止しました。";
    case PrintStep::EndJob:
        return on + L"は印刷ジョブを受け付けませんでした。ページはすべて送りましたが、印刷されません。";
    case PrintStep::NoResolution:
        return on + L"では印刷できません。プリンタが解像度を返しません。";
    case PrintStep::NoFont:
        break;
    }
    return on + L"では印刷できません。レポートのフォントを作れません。";
}

std::wstring SystemReason(std::wstring_view reason)
{
    return L"\n\nシステムの説明: " + std::wstring(reason);
}

}  // namespace

std::wstring PrinterStatusText(std::uint32_t status)
{
    return StatusList(status, PrinterStates);
}

std::wstring JobStatusText(std::uint32_t status)
{
    return StatusList(status, JobStates);
}

std::wstring PrintFailureMessage(std::wstring_view printer, PrintStep step, const QueueReport& queue,
                                 std::wstring_view systemReason)
{
    std::wstring text = PrintStepText(printer, step);
    const std::wstring printerStates = queue.printerStatus ? PrinterStatusText(*queue.printerStatus) : L"";
    if (!printerStates.empty())
        text += L"\nプリンタの状態: " + printerStates;
    std::wstring jobStates = queue.jobStatus ? JobStatusText(*queue.jobStatus) : L"";
    if (!queue.jobStatusText.empty())
        jobStates += (jobStates.empty() ? L"" : L"、") + queue.jobStatusText;
    if (!jobStates.empty())
        text += L"\nジョブの状態: " + jobStates;
    if (step == PrintStep::EndJob && printerStates.empty() && jobStates.empty())
        text += L"\nスプーラはプリンタの状態を何も示していません。プリンタがジョブを受け付ける設定になっているか確かめてください。";
    text += systemReason.empty() ? std::wstring(L"\n\nシステムは理由を示していません。") : SystemReason(systemReason);
    return text;
}

std::wstring SaveFailureMessage(std::wstring_view path, bool reservedName, std::wstring_view systemReason)
{
    if (reservedName)
        return L"ファイル" + Quoted(path) +
               L"には保存できません。この名前は装置のために予約されています (CON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9)。"
               L"別の名前を付けてください。";
    return L"ファイル" + Quoted(path) + L"に保存できませんでした。そこにあったファイルは元のままです。" +
           SystemReason(systemReason);
}

std::wstring FileNameTooLongMessage(std::size_t limit)
{
    return L"ファイル名が長すぎます。フォルダと名前を合わせて " + std::to_wstring(limit) +
           L" 文字以内にしてください。";
}

std::wstring CannotCreateMessage(WindowPart part)
{
    const wchar_t* what = L"";
    switch (part) {
    case WindowPart::MainWindow:
        what = L"メイン ウィンドウ";
        break;
    case WindowPart::MainWindowControls:
        what = L"メイン ウィンドウのコントロール";
        break;
    case WindowPart::ToolBar:
        what = L"ツール バー";
        break;
    case WindowPart::Menu:
        what = L"メニュー";
        break;
    case WindowPart::Shortcuts:
        what = L"ショートカット キー";
        break;
    case WindowPart::PrinterList:
        what = L"プリンタの一覧";
        break;
    case WindowPart::PrinterImages:
        what = L"プリンタのアイコン";
        break;
    case WindowPart::CommandImages:
        what = L"コマンドの画像";
        break;
    case WindowPart::DocumentWindow:
        what = L"レポート ウィンドウ";
        break;
    case WindowPart::PrintProgress:
        what = L"印刷の進行状況";
        break;
    case WindowPart::PrintThread:
        what = L"印刷の作業スレッド";
        break;
    }
    return std::wstring(what) + L"を作れませんでした。システムのリソースが足りない可能性があります。";
}

std::wstring CannotShowDialogMessage(DialogKind dialog, unsigned long errorCode)
{
    const wchar_t* what = dialog == DialogKind::Find ? L"検索ダイアログ" : L"比較の相手を選ぶダイアログ";
    return std::wstring(what) + L"を表示できません (コモン ダイアログのエラー " + std::to_wstring(errorCode) + L")。";
}

std::wstring CannotListPrinterMessage(std::wstring_view printer)
{
    return L"プリンタ" + Quoted(printer) + L"を一覧に加えられませんでした。";
}

std::wstring UnexpectedFailureMessage(std::wstring_view detail)
{
    std::wstring text = L"処理を続けられませんでした。";
    if (!detail.empty())
        text += L"\n\n詳細: " + std::wstring(detail);
    return text;
}

}  // namespace ostrel
