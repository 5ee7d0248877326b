#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct ReportState;
struct TesterConnection;

// The tester's settings menu as the console mirrors it: which item is
// highlighted, and which keys make the tester's cursor follow the PC's.
// Testers from version 6 on have four items (Licht, Schutzklasse, Sprache,
// Zurück), older ones three (Licht, Schutzklasse, Zurück).
class SettingsMenu {
public:
    enum class Item { Light, ProtectionClass, Language, Back };

    // What selecting the highlighted item changed on the PC.
    struct Selection {
        bool leave = false;
        std::optional<QString> lightCaption;
        std::optional<QString> classCaption;
    };

    static int itemCount(int version) { return version >= 6 ? 4 : 3; }

    void open(int version);
    void close() { active_ = false; }
    bool active() const { return active_; }
    int cursor() const { return cursor_; }
    int itemCount() const { return items_; }
    Item item(int position) const;
    int position(Item item) const;

    // The tester's keys 0701 and 0702 move the cursor back and forth, round the end.
    void back();
    void forward();
    // Moves the cursor to the clicked item; the keys that move the tester's cursor alike.
    std::vector<std::uint8_t> clickOn(int position);
    // The keys that bring the tester's cursor to Zurück before the menu is left.
    std::vector<std::uint8_t> keysToBack() const;
    // Selects the highlighted item (the tester's Auto key).
    Selection select(int version, TesterConnection& connection, ReportState& report) const;

private:
    bool active_ = false;
    int cursor_ = 1;
    int items_ = 3;
};

// The light item's caption when the menu opens.
QString lightCaption(int lightFlag);
// 1 → 2 → 3 → 1e → 1.
int nextProtectionClass(int protectionClass);
