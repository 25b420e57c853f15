#include "records/text_file.h"
namespace zelkor {
LineReader::LineReader(const std::filesystem::path& path) : in_(path, std::ios::binary) {}
std::optional<std::string> LineReader::Next(std::size_t) {
    return std::nullopt;
}
bool LineReader::AtEnd() {
    return true;
}
bool HasFileSignature(const std::filesystem::path&) {
    return false;
}
bool VersionMatches(const std::string&) {
    return false;
}
std::optional<long long> LeadingNumber(const std::string&) {
    return std::nullopt;
}
bool WriteFileSafely(const std::filesystem::path&, const std::string&) {
    return false;
}
}  // namespace zelkor
