#include "desktop/command_table.h"

#include <algorithm>
#include <stdexcept>

namespace ostrel {

namespace {

constexpr Shortcut None{};
constexpr Shortcut Ctrl(char letter) { return {static_cast<std::uint16_t>(letter), true, false}; }

constexpr CommandInfo Commands[] = {
    {CommandId::Refresh, L"再表示(&R)", L"再表示|表示されているすべてのウィンドウ内容を最新の情報で更新する", 6, {KeyF5}},
    {CommandId::Close, L"閉じる(&C)", L"閉じる|表示されているウィンドウを閉じる", NoImage, Ctrl('W')},
    {CommandId::Cascade, L"重ねて表示(&C)", L"重ねて表示", 0, None},
    {CommandId::TileHorizontal, L"上下に並べて表示(&H)", L"上下に並べる", 1, None},
    {CommandId::TileVertical, L"左右に並べて表示(&T)", L"左右に並べる", 2, None},
    {CommandId::MinimizeAll, L"すべてを最小化(&M)", L"最小化", NoImage, None},
    {CommandId::Arrange, L"アイコンの整列(&A)", L"アイコンの整列", NoImage, None},
    {CommandId::Exit, L"終了(&X)", L"終了|アプリケーションを終了する", 3, None},
    {CommandId::About, L"バージョン情報(&A)...", L"", NoImage, None},
    {CommandId::SaveAs, L"名前を付けて保存(&A)...", L"別名で保存|現在のファイルに新しい名前をつけて保存", 5, Ctrl('S')},
    {CommandId::PrintSetup, L"プリンタの設定(&U)...", L"プリンタの設定", NoImage, None},
    {CommandId::Print, L"印刷(&P)...", L"印刷", 4, Ctrl('P')},
    {CommandId::Copy, L"コピー(&C)", L"コピー|選択部分をコピーし、クリップボードに送る", 7, Ctrl('C')},
    {CommandId::SelectAll, L"すべてを選択(&A)", L"すべてを選択|ドキュメント全体を選択する", NoImage, Ctrl('A')},
    {CommandId::Find, L"検索(&F)...", L"検索|指定された文字列を検索する", 8, Ctrl('F')},
    {CommandId::FindNext, L"次を検索(&N)", L"次を検索|直前の検索を下へ繰り返す", 9, {KeyF3}},
    {CommandId::FindPrev, L"前を検索(&P)", L"前を検索|直前の検索を上へ繰り返す", NoImage, {KeyF3, false, true}},
    {CommandId::Findings, L"検出事項(&I)", L"検出事項|レポートの矛盾点を一覧表示する", 10, None},
    {CommandId::CompareWith, L"比較(&M)...", L"比較|別のプリンタまたはスナップショットと比較する", 11, None},
};

std::wstring KeyName(std::uint16_t key)
{
    if (key >= 0x70 && key <= 0x87)  // F1 to F24
        return L"F" + std::to_wstring(key - 0x70 + 1);
    return std::wstring(1, static_cast<wchar_t>(key));
}

}  // namespace

std::span<const CommandInfo> AllCommands()
{
    return Commands;
}

const CommandInfo& CommandInfoOf(CommandId id)
{
    const auto* found = std::find_if(std::begin(Commands), std::end(Commands),
                                     [id](const CommandInfo& command) { return command.id == id; });
    if (found == std::end(Commands))
        throw std::out_of_range("unknown command id " + std::to_string(static_cast<int>(id)));
    return *found;
}

bool IsToggleCommand(CommandId id)
{
    return id == CommandId::Findings;
}

bool ActsOnFocusedReport(CommandId id)
{
    return id == CommandId::Copy || id == CommandId::SelectAll;
}

std::wstring ShortcutText(Shortcut shortcut)
{
    if (!shortcut)
        return {};
    std::wstring text;
    if (shortcut.shift)
        text += L"Shift+";
    if (shortcut.ctrl)
        text += L"Ctrl+";
    return text + KeyName(shortcut.key);
}

std::wstring_view ShortHint(std::wstring_view hint)
{
    return hint.substr(0, hint.find(L'|'));
}

std::wstring MenuItemText(const CommandInfo& command)
{
    std::wstring text = command.caption;
    if (command.shortcut)
        text += L"\t" + ShortcutText(command.shortcut);
    return text;
}

}  // namespace ostrel
