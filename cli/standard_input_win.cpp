#include <windows.h>

#include <istream>
#include <streambuf>
#include <string>

#include "standard_input.h"

namespace cli {

namespace {

// Standard input read with ReadConsoleW (a console: what is typed, in UTF-8 whatever the
// console's code page) or ReadFile (a pipe or a file: its bytes as they are).
class HandleInput final : public std::streambuf {
public:
    HandleInput() : handle_(GetStdHandle(STD_INPUT_HANDLE)) {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
    }
    bool console() const { return console_; }

protected:
    int_type underflow() override {
        if (gptr() == egptr()) {
            const bool more = !ended_ && (console_ ? from_console() : from_file());
            if (!more) {
                ended_ = true;
                return traits_type::eof();
            }
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    bool from_file() {
        DWORD got = 0;
        if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE ||
            !ReadFile(handle_, text_.data(), static_cast<DWORD>(text_.size()), &got, nullptr) || got == 0)
            return false;
        setg(text_.data(), text_.data(), text_.data() + got);
        return true;
    }

    bool from_console() {
        for (;;) {
            wchar_t typed[512];
            DWORD got = 0;
            SetLastError(ERROR_SUCCESS);
            const BOOL read = ReadConsoleW(handle_, typed, 512, &got, nullptr);
            // Ctrl+C or Ctrl+Break ends a pending read with nothing read; the stop itself
            // comes through the console handler. It is no end of input: read on.
            if (got == 0 && GetLastError() == ERROR_OPERATION_ABORTED) {
                Sleep(20);  // the program is stopping; no haste to wait again
                continue;
            }
            if (!read || got == 0) return false;
            // Ctrl+Z ends the input where it stands, as the C runtime has it.
            DWORD kept = 0;
            while (kept < got && typed[kept] != 0x1A) ++kept;
            if (kept < got) ended_ = true;
            if (kept == 0) return false;
            const int n = WideCharToMultiByte(CP_UTF8, 0, typed, static_cast<int>(kept), text_.data(),
                                              static_cast<int>(text_.size()), nullptr, nullptr);
            if (n <= 0) return false;
            setg(text_.data(), text_.data(), text_.data() + n);
            return true;
        }
    }

    HANDLE handle_;
    bool console_ = false;
    bool ended_ = false;
    std::string text_ = std::string(512 * 3, '\0');  // UTF-8 takes at most 3 bytes per UTF-16 unit
};

}  // namespace

StandardInput standard_input() {
    // Never destroyed: a reader may still wait in it while the program exits.
    static auto* const input = new HandleInput;
    static auto* const stream = new std::istream(input);
    return {*stream, input->console()};
}

}  // namespace cli
