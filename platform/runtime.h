// The seam between the game and the machine it runs on. The game calls these services from its
// handlers; the SDL backend implements them for a player, the headless backend for tests.
#pragma once

#include <filesystem>
#include <string>

namespace vex {

enum class MessageIcon { Information, Critical };

class Runtime {
public:
    virtual ~Runtime() = default;

    // Plays a WAV file to its end before returning. `game_path` is relative to the program
    // folder and begins with a backslash ("\sounds\pop2.wav"). A file that cannot be played
    // gives silence and an immediate return.
    virtual void play_sound(const std::string& game_path) = 0;

    // Modal text prompt. Returns the text confirmed, or an empty text when cancelled.
    virtual std::string input_box(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) = 0;

    // Modal message with one OK button; returns when the player closes it.
    virtual void message_box(const std::string& text, MessageIcon icon, const std::string& title) = 0;

    // The next draw of the game's one uniform generator over [0, 1).
    virtual double random() = 0;

    // The folder the record file scores.dat is kept in: the program folder when the record can
    // be written there, else the player's own data folder.
    virtual const std::filesystem::path& record_folder() const = 0;
};

}  // namespace vex
