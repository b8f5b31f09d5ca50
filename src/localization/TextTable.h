// The text table: every text the program shows, one UTF-16 string per
// language key, filled once from language.xml before the first window and only
// read afterwards. Windows refer to an entry by its global name (str_ok, ...).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

class CXmlDocument;

// The 135 language keys, in load order.
#define Q7T_TEXT_KEYS(X) \
    X(str_program_title) X(str_company) X(str_config) X(str_about) \
    X(str_exit) X(str_mouse_page) X(str_performance_page) X(str_led_page) \
    X(str_macro_page) X(str_msg1) X(str_msg2) X(str_msg3) \
    X(str_msg4) X(str_msg5) X(str_msg6) X(str_msg7) \
    X(str_resetinfo) X(str_reset) X(str_ok) X(str_cancel) \
    X(str_apply) X(str_help) X(str_combo_tips) X(str_combo_title) \
    X(str_macro_manager) X(str_macro_msg1) X(str_macro_msg2) X(str_macro_msg4) \
    X(str_macro_msg6) X(str_macro_msg7) X(str_macro_msg8) X(str_macro_end) \
    X(str_macro_start) X(str_new_macro) X(str_del_macro) X(str_macro_loop) \
    X(str_macro_delay) X(str_macro_modify) X(str_macro_list) X(str_macro_editor) \
    X(str_macro_new) X(str_macro_del) X(str_macro_event) X(str_click) \
    X(str_menu) X(str_middle) X(str_dbclick) X(str_mac_def) \
    X(str_base_fun) X(str_combokey) X(str_advance) X(str_media) \
    X(str_pre) X(str_back) X(str_scrollup) X(str_scrolldw) \
    X(str_PL) X(str_stop) X(str_pre_media) X(str_next_media) \
    X(str_vol_up) X(str_vol_dw) X(str_mute) X(str_close) \
    X(str_lock) X(str_run) X(str_show) X(str_zoomin) \
    X(str_zoomout) X(str_cut) X(str_copy) X(str_past) \
    X(str_all) X(str_find) X(str_new) X(str_print) \
    X(str_save) X(str_undo) X(str_dpititle) X(str_rate) \
    X(str_sheight) X(str_probar_title) X(str_probar_msg1) X(str_profile_title) \
    X(str_autopath) X(str_autoswitch) X(str_defaultname) X(str_proname) \
    X(str_led_title) X(str_led_off) X(str_led_preSet) X(str_led_diySet) \
    X(str_led_brealways) X(str_led_norbre) X(str_led_apmbre) X(str_led_ledcycle) \
    X(str_advanced_open) X(str_advanced_sound) X(str_advanced_exe) X(str_advanced_file) \
    X(str_advanced_dir) X(str_advanced_web) X(str_advanced_address) X(str_onekeystart) \
    X(str_screenshot) X(str_screenshot_screen) X(str_screenshot_win) X(str_screenshot_area) \
    X(str_mousefun) X(str_win8) X(str_disable) X(str_win8_start) \
    X(str_win8_classic) X(str_win8_switch) X(str_win8_find) X(str_win8_winp) \
    X(str_win8_winm) X(str_profile1) X(str_profile2) X(str_profile3) \
    X(str_profile4) X(str_profile5) X(str_level1) X(str_level2) \
    X(str_level3) X(str_level4) X(str_tips) X(str_soft_version) \
    X(str_more) X(str_pointer_speed_title) X(str_pointer_improve) X(str_led_brightness_adjustment) \
    X(str_led_speed_adjustment) X(str_pointer_silent_height_title) X(str_led_spectrum)

#define Q7T_DECLARE_TEXT(key) extern std::u16string key;
Q7T_TEXT_KEYS(Q7T_DECLARE_TEXT)
#undef Q7T_DECLARE_TEXT

struct TextEntry {
    const char* key;
    std::u16string* text;
};

constexpr std::size_t kTextKeyCount = 135;

// Every entry of the table, in load order.
std::span<const TextEntry> TextTable();

// Loads language.xml (full path) into the text table. Cannot fail: a missing,
// unreadable or malformed file leaves the entries it does not provide empty.
void LoadLanguage(const std::u16string& path);

// The text of `key` inside the element `section` (below the root element, or
// inside a section element nested in it); empty when nothing is found.
std::u16string LookupText(CXmlDocument& document, std::u16string_view section, std::u16string_view key);

// Fills a message template from the text table (str_msg2, str_msg3): the first
// "%s" is replaced by `argument`; every other character, '%' included, is taken
// literally. A template from a translator is never used as a printf format.
std::u16string FormatMessageTemplate(std::u16string_view templ, std::u16string_view argument);
