#include "rules/text_lines.h"

#include <charconv>
#include <limits>

namespace zelkor {

TextLineReader::TextLineReader(const std::filesystem::path& path, size_t maxLine)
    : in_(path, std::ios::binary), maxLine_(maxLine) {}

bool TextLineReader::Next(std::string& line) {
    line.clear();
    if (!in_.is_open()) return false;
    std::streambuf* buffer = in_.rdbuf();
    bool any = false;
    while (true) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in_.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        if (c == '\r') {
            if (buffer->sgetc() == '\n') buffer->sbumpc();
            break;
        }
        if (line.size() < maxLine_) line.push_back(static_cast<char>(c));
    }
    return any;
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
        while (j < text.size() && text[j] >= '0' && text[j] <= '9' && j - firstDigit < 4)
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
