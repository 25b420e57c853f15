// zelkor.rtg: any contents give a rating in range, which is written and read back.
#include "fuzz_targets.h"
#include "records/rating.h"

namespace zelkor::fuzz {

int FuzzRatingFile(const uint8_t* data, std::size_t size) {
    const std::filesystem::path dir = WriteInput("rating/zelkor.rtg", data, size).parent_path();
    const int rating = ReadRatingFile(dir);
    FUZZ_CHECK(rating >= 0 && rating <= kMaxRating);
    FUZZ_CHECK(WriteRatingFile(dir, rating));
    FUZZ_CHECK(ReadRatingFile(dir) == rating);
    const std::string text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(RatingValue(DecodeRating(text)) <= kMaxRating);
    return 0;
}

}  // namespace zelkor::fuzz
