#include "records/rating.h"
namespace zelkor {
std::string UpdateRating(double, GameState&, bool, int&, const ComputerPlyRecord&, int*) {
    return {};
}
std::string WinRemark(int, const ComputerPlyRecord&) {
    return {};
}
int ComputerGameRating(double) {
    return 0;
}
int RatingFactor(int) {
    return 0;
}
int EloRating(int r, int, double) {
    return r;
}
std::string RatingReport(const std::string&, int, int, int) {
    return {};
}
std::string EncodeRating(const std::string&) {
    return {};
}
std::string DecodeRating(const std::string&) {
    return {};
}
int RatingValue(const std::string&) {
    return 0;
}
int ReadRatingFile(const std::filesystem::path&) {
    return kDefaultRating;
}
bool WriteRatingFile(const std::filesystem::path&, int) {
    return false;
}
std::string RatingMessage(int) {
    return {};
}
std::string RatingCheckBoxCaption(int) {
    return {};
}
}  // namespace zelkor
