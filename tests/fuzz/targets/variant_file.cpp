// variants.ini: the loader of a new game, the dialog's reader and the name list, then the
// rules it left in force drive the move generator.
#include <memory>

#include "controller_run.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"

namespace zelkor::fuzz {

int FuzzVariantFile(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    uint8_t variant = data[0];
    const std::filesystem::path file = WriteInput("variants/variants.ini", data + 1, size - 1);
    const std::filesystem::path dir = file.parent_path();
    FuzzUi ui;
    auto g = std::make_unique<GameState>();
    g->ui = &ui;
    SetUpDefaultGame(*g);
    try {
        const VariantFileStatus status = LoadVariant(*g, dir, variant, ui);
        // A loaded variant has a number; the other results leave it as it was.
        FUZZ_CHECK(status != VariantFileStatus::Loaded || variant >= 1);
        const std::vector<std::string> names = ListVariantNames(dir, false);
        FUZZ_CHECK(names.size() <= static_cast<std::size_t>(kMaxVariants));
        if (status == VariantFileStatus::Loaded) {
            uint8_t again = variant;
            ReadVariantForDialog(*g, dir, again, ui);
            // The variant's rules as a new game puts them in force.
            g->active = g->defined;
            ApplyRules(*g);
            ResetGameTree(*g);
            for (int step = 0; step < 4; ++step) {
                InitGameTree(*g);
                GenerateMoves(*g, 1);
                const int count = MoveCount(*g);
                if (count == 0) break;
                FUZZ_CHECK(PerformMove(*g, g->plyStart[0] + step % count));
            }
        }
    } catch (const Terminated&) {
        // "Error found! Zelkor will exit": a legitimate end for a broken file.
    }
    return 0;
}

}  // namespace zelkor::fuzz
