// The game's one window: its 52 controls, which hold the whole state of play, its four game
// variables, and its handlers. Each handler is defined in the folder of the subsystem it belongs
// to (ship/shots.cpp defines ShotTick, enemies/wave.cpp defines tmBrit_Timer, ...).
#pragma once

#include "platform/control.h"
#include "platform/form.h"
#include "platform/replay/replay_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vex {

// A shot slot: a line and the timer that flies it.
struct Shot {
    Line& line;
    Timer& timer;
};

// Who reached the ship: a Vexoid of the wave or the boss.
enum class ShipLossVariant { Wave, Boss };

class Form1 : public Form {
public:
    explicit Form1(Runtime& runtime);

    // The title of every message the game shows the player.
    static constexpr const char* message_title = "Game Info";
    float client_width() const override { return 8880; }
    float client_height() const override { return 7590; }
    std::string icon() const override { return "pictures/icon.bmp"; }
    std::vector<std::pair<std::string, double>> variables() const override {
        return {{"intSpeedLimit", intSpeedLimit}, {"intLevel", intLevel}, {"lngBadyscore", lngBadyscore},
                {"intSpeedScore", intSpeedScore}};
    }

    // Controls, by where they show. Their control order is the order the constructor adds them in.
    // The playfield: the ship, the wave of four Vexoids, the boss, the three shots, the stars
    // (Line5 to Line10), the level and "GAME OVER".
    Image imgShip{"imgShip"}, imgBrit1{"imgBrit1"}, imgBrit2{"imgBrit2"}, imgBrit3{"imgBrit3"}, imgBrit4{"imgBrit4"};
    Image imgBady{"imgBady"};
    Line Line2{"Line2"}, Line3{"Line3"}, Line4{"Line4"};
    Line Line5{"Line5"}, Line6{"Line6"}, Line7{"Line7"}, Line8{"Line8"}, Line9{"Line9"}, Line10{"Line10"};
    Label lblLevel{"lblLevel"}, Label8{"Label8"};
    // The boss's hits still needed.
    Frame frmBady{"frmBady"};
    Label lblBady{"lblBady"};
    // The side panel, right of its border Line1: player, score, lives, record, buttons, counters.
    Line Line1{"Line1"};
    Label lblPlayer{"lblPlayer"}, lblforScore{"lblforScore"}, lblScore{"lblScore"}, lblforLives{"lblforLives"};
    Label lblLives{"lblLives"}, lblforHiscore{"lblforHiscore"}, lblHiscore{"lblHiscore"}, lblHiscoren{"lblHiscoren"};
    Label Label9{"Label9"}, Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"};
    Label Label10{"Label10"}, lblShots{"lblShots"}, Label12{"Label12"}, lblHits{"lblHits"};
    Label Label14{"Label14"}, lblAcc{"lblAcc"};
    // The About panel and the instructions panel, each with its OK button.
    Frame Frame1{"Frame1"};
    Label Label4{"Label4"}, Label5{"Label5"};
    Frame Frame2{"Frame2"};
    Label Label6{"Label6"}, Label7{"Label7"};
    // Timers: the stars, the wave, the boss, the ship's two directions, the three shots.
    Timer tmSpace{"tmSpace", 1}, tmBrit{"tmBrit", 10}, tmBady{"tmBady", 10}, tmLeft{"tmLeft", 1}, tmRight{"tmRight", 1};
    Timer tmFire1{"tmFire1", 1}, tmFire2{"tmFire2", 1}, tmFire3{"tmFire3", 1};

    // Game variables.
    std::int16_t intSpeedLimit = 0;
    std::int16_t intLevel = 0;
    std::int32_t lngBadyscore = 0;
    std::int16_t intSpeedScore = 0;

    // Start-up and the player's name.
    void Form_Load() override;
    void Label9_Click();

    // Keyboard.
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
    void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift) override;
    void NewGameReset();
    void FireCommand();

    // Info panels and exit.
    void ShowAboutPanel(bool visible);
    void ShowInstructionsPanel(bool visible);
    void Label1_Click();
    void Label2_Click();
    void Label7_Click();
    void Label5_Click();
    void Label3_Click();

    // Plays a cue from the sounds folder to its end; the whole game waits meanwhile.
    void PlaySound(const std::string& game_path) { runtime().play_sound(game_path); }

    // Ship and shots.
    void tmLeft_Timer();
    void tmRight_Timer();
    void tmFire1_Timer();
    void tmFire2_Timer();
    void tmFire3_Timer();
    void ShotTick(Shot shot);
    bool TipInBox(const Shot& shot, const Image& sprite) const;
    void VexoidHit(Shot shot, Image& vexoid);

    // Enemies: the wave, the boss (and the level its death ends) and the starfield.
    void PlaceWave();
    void ShowWave(bool visible);
    void tmBrit_Timer();
    void SummonBoss();
    void BossHit(Shot shot);
    void AdvanceLevel();
    void tmBady_Timer();
    void tmSpace_Timer();

    // Scoreboard, ship loss and the high-score file.
    double LabelValue(const Label& label) const;
    void SetLabelValue(Label& label, double value);
    void UpdateAccuracy();
    void ShipLost(ShipLossVariant variant);
    void LoadHighScore();
    void SaveHighScore();
    // The numbers a replay's result line holds, the rounds left to the caller.
    ReplayResult session_result() const;

    Shot shot1() { return {Line2, tmFire1}; }
    Shot shot2() { return {Line3, tmFire2}; }
    Shot shot3() { return {Line4, tmFire3}; }

private:
    void wire_events();
    std::filesystem::path record_path();

    // Why the record file could not be read at start-up; it is then never written this session.
    std::optional<std::string> m_record_unusable;
    // The score the last game ended with, until the next starts: for a replay's result.
    std::optional<std::int32_t> m_final_score;
};

}  // namespace vex
