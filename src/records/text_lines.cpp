#include "records/text_lines.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace zelkor {

FileAccess DataFileAccess(const std::filesystem::path& path, std::uintmax_t maxSize) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return FileAccess::Missing;
    if (error || status.type() != std::filesystem::file_type::regular)
        return FileAccess::Unreadable;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > maxSize) return FileAccess::Unreadable;
    return FileAccess::Readable;
}

TextLineReader::TextLineReader(const std::filesystem::path& path, size_t maxLine,
                               std::uintmax_t maxSize)
    : maxLine_(maxLine), left_(maxSize), access_(DataFileAccess(path, maxSize)) {
    if (access_ != FileAccess::Readable) return;
    in_.open(path, std::ios::binary);
    if (!in_.is_open()) access_ = FileAccess::Unreadable;
}

// The stream buffer throws on a failed read (EISDIR, EIO): that is a failed file, no more.
int TextLineReader::Get() {
    constexpr int eof = std::char_traits<char>::eof();
    if (pending_ != eof) {
        const int c = pending_;
        pending_ = eof;
        return c;
    }
    if (!in_.is_open() || failed_ || left_ == 0) return eof;
    try {
        const int c = in_.rdbuf()->sbumpc();
        if (c != eof) --left_;
        return c;
    } catch (...) {
        failed_ = true;
        return eof;
    }
}

int TextLineReader::Peek() {
    constexpr int eof = std::char_traits<char>::eof();
    if (pending_ != eof) return pending_;
    if (!in_.is_open() || failed_ || left_ == 0) return eof;
    try {
        return in_.rdbuf()->sgetc();
    } catch (...) {
        failed_ = true;
        return eof;
    }
}

bool TextLineReader::Next(std::string& line) {
    const std::optional<std::string> next = Next(maxLine_);
    line = next.value_or(std::string());
    return next.has_value();
}

std::optional<std::string> TextLineReader::Next(size_t maxLength) {
    int c = Get();
    if (c == std::char_traits<char>::eof()) return std::nullopt;
    std::string line;
    while (c != std::char_traits<char>::eof()) {
        if (c == '\n') break;
        if (c == '\r') {
            // CR LF, CR CR LF (a twice-converted file) and a lone CR are one line end each.
            const int after = Get();
            if (after == '\r' && Peek() == '\n')
                Get();
            else if (after != '\n')
                pending_ = after;
            break;
        }
        if (line.size() < maxLength) line.push_back(static_cast<char>(c));
        c = Get();
    }
    return line;
}

bool TextLineReader::AtEnd() {
    return Peek() == std::char_traits<char>::eof();
}

double LeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        const size_t firstDigit = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            exponent += text[j++];
        if (j > firstDigit) number += exponent;
    }
    // from_chars ignores the locale (a window toolkit may switch the decimal separator),
    // and only a validated decimal reaches it, so "inf", "nan" and hexadecimal never do.
    double value = 0.0;
    const char* first = number.data();
    if (*first == '+') ++first;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large stays too large, so range checks reject it.
        if (number.find("e-") != std::string::npos) return 0.0;
        const double huge = std::numeric_limits<double>::max();
        return number[0] == '-' ? -huge : huge;
    }
    return value;
}

}  // namespace zelkor
