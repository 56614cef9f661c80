#include "app/Command.h"

#include "catalogue/CDebuggers.h"

#include <cstdint>
#include <cwctype>
#include <optional>
#include <string_view>

namespace jitswap {
namespace {

// The option's name without its '/' or '-', lower-cased; std::nullopt for anything else.
std::optional<std::wstring> OptionName(std::wstring_view argument)
{
    if (argument.size() < 2 || (argument.front() != L'/' && argument.front() != L'-')) return std::nullopt;
    std::wstring name(argument.substr(1));
    for (wchar_t& character : name) {
        if (character < 0x80) character = static_cast<wchar_t>(std::towlower(character));
    }
    return name;
}

Command BadUsage(std::wstring problem)
{
    Command command;
    command.kind = CommandKind::BadUsage;
    command.problem = std::move(problem);
    return command;
}

Command Parsed(CommandKind kind)
{
    Command command;
    command.kind = kind;
    return command;
}

std::wstring Quoted(std::wstring_view text)
{
    return L"«" + std::wstring(text) + L"»";
}

// A hex digit's value; 16 for anything else.
unsigned DigitValue(wchar_t c)
{
    const auto lower = static_cast<wchar_t>(c | 0x20);
    if (c >= L'0' && c <= L'9') return static_cast<unsigned>(c - L'0');
    if (lower >= L'a' && lower <= L'f') return static_cast<unsigned>(lower - L'a') + 10;
    return 16;
}

// Digits of `base` only, at most `limit`.
std::optional<std::uint64_t> Number(std::wstring_view text, unsigned base, std::uint64_t limit)
{
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : text) {
        const unsigned digit = DigitValue(c);
        if (digit >= base || value > (limit - digit) / base) return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// The system passes the process id and the event handle as %ld fills them, then, where the line
// asks for it, the address of the crash's details as %p (hex) fills it, often after "0x".
std::optional<SystemArguments> CrashArguments(const std::vector<std::wstring>& arguments)
{
    if (arguments.size() < 3 || arguments.size() > 4) return std::nullopt;
    const auto processId = Number(arguments[1], 10, 0xFFFFFFFF);
    const auto event = Number(arguments[2], 10, 0xFFFFFFFF);
    if (!processId || *processId == 0 || !event) return std::nullopt;
    SystemArguments crash{static_cast<std::uint32_t>(*processId), static_cast<std::uint32_t>(*event), 0};
    if (arguments.size() == 4) {
        std::wstring_view address = arguments[3];
        if (address.size() > 2 && address[0] == L'0' && (address[1] | 0x20) == L'x') address.remove_prefix(2);
        const auto debugInfo = Number(address, 16, ~std::uint64_t{0});
        if (!debugInfo) return std::nullopt;
        crash.debugInfo = *debugInfo;
    }
    return crash;
}

} // namespace

Command ParseCommand(const std::vector<std::wstring>& arguments)
{
    if (arguments.empty()) return Parsed(CommandKind::Tray);
    const std::optional<std::wstring> option = OptionName(arguments.front());
    if (!option) return BadUsage(L"Неизвестный параметр: " + Quoted(arguments.front()) + L".");

    const std::size_t extra = arguments.size() - 1;
    auto exactly = [&](std::size_t wanted, Command command) {
        if (extra > wanted) return BadUsage(L"Лишний параметр: " + Quoted(arguments[wanted + 1]) + L".");
        return command;
    };

    if (*option == L"?") return exactly(0, Parsed(CommandKind::Usage));
    if (*option == L"list") return exactly(0, Parsed(CommandKind::List));
    if (*option == L"current") return exactly(0, Parsed(CommandKind::Current));
    if (*option == L"use") {
        if (extra == 0) return BadUsage(L"Не указан отладчик: его номер в списке или название.");
        Command command = Parsed(CommandKind::Use);
        command.entry = arguments[1];
        return exactly(1, std::move(command));
    }
    if (*option == L"check") {
        Command command = Parsed(CommandKind::Check);
        if (extra == 0) return command;
        if (OptionName(arguments[1]) != L"crash") return exactly(0, std::move(command));
        command.crashes = kCrash32 | kCrash64;
        if (extra == 1) return command;
        command.crashes = arguments[2] == L"64" ? kCrash64 : arguments[2] == L"32" ? kCrash32 : 0u;
        if (command.crashes == 0) return BadUsage(L"Параметр /crash ждёт 64 или 32: " + Quoted(arguments[2]) + L".");
        return exactly(2, std::move(command));
    }
    if (*option == L"apply") {
        if (extra != 3 || (arguments[3] != L"0" && arguments[3] != L"1"))
            return BadUsage(L"Параметр /apply ждёт три значения: командную строку, командную строку для "
                            L"32-битных программ и 0 или 1.");
        Command command = Parsed(CommandKind::Apply);
        command.choice = DebuggerChoice{arguments[1], arguments[2], arguments[3] == L"1"};
        return command;
    }
    if (*option == L"crashed") {
        const std::optional<SystemArguments> crash = CrashArguments(arguments);
        if (!crash)
            return BadUsage(L"Параметр /crashed ждёт номер процесса, описатель события и, если есть, адрес "
                            L"сведений о сбое: так их передаёт система.");
        Command command = Parsed(CommandKind::Crashed);
        command.crash = *crash;
        return command;
    }
    return BadUsage(L"Неизвестный параметр: " + Quoted(arguments.front()) + L".");
}

std::optional<std::int32_t> FindEntry(const CDebuggers& catalogue, std::wstring_view entry)
{
    if (!entry.empty() && entry.find_first_not_of(L"0123456789") == std::wstring_view::npos) {
        std::int64_t number = 0;
        for (const wchar_t digit : entry) {
            number = number * 10 + (digit - L'0');
            if (number > catalogue.Count()) return std::nullopt;
        }
        if (number < 1) return std::nullopt;
        return static_cast<std::int32_t>(number - 1);
    }
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        if (catalogue.Entry(i).title == entry) return i;
    }
    return std::nullopt;
}

std::vector<std::wstring> ApplyArguments(const DebuggerChoice& choice)
{
    return {L"/apply", choice.commandLine, choice.commandLine32, choice.autoStart ? L"1" : L"0"};
}

} // namespace jitswap
