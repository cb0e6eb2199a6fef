#include "text/strings.h"

#include <string>

namespace korvane {
namespace {

// "Profile" is "配置" in both Chinese tables, as the profile manager and the Config button say it; the
// buttons named in a sentence are quoted with their labels.
constexpr PerLanguage<MessageStrings> kMessages = {{
    {
        .watchFailed = "Plugging the mouse in or out will not be noticed: %1",
        .nothingSent = "Nothing was sent or saved: %1",
        .valuesOutOfRange = "Nothing was sent or saved: values outside their ranges: %1.",
        .noCurrentProfile = "Nothing was sent or saved: %1. Choose a profile under Config.",
        .changedElsewhere = "This profile's settings were changed by another program since the window read them. "
                            "Replace them with the settings in the window?",
        .sendFailed = "Sending the settings to the mouse failed at the step \"%1\": %2. Press Save to try again.",
        .notStored = "The mouse has the new settings, but they were not stored: %1. Press Save to try again.",
        .saveWithoutMouse = "Nothing was sent or stored: the settings go to the mouse and into the profile together. "
                            "They stay in the window until the mouse is back; to keep them now, export the profile "
                            "under Config (right-click it, Save).",
        .factoryUnreadable = "The factory settings cannot be read, so nothing was changed: %1",
        .importIntoNewProfile = "A new profile gets its files when the profile manager closes; load a file into it "
                                "after that.",
        .fileOutOfRange = "%1 has values outside their ranges: %2",
        .nothingLoaded = "Nothing was loaded: %1.",
        .nothingExported = "Nothing was exported: %1.",
        .discardForOtherProfile = "The settings in the window have not been saved. Discard them and show the chosen "
                                  "profile?",
        .listNotSaved = "The profile list was not saved: %1",
        .updaterMissing = "The firmware updater is not installed: %1 was not found.",
        .cannotStart = "Cannot start %1.",
        .discardOnExit = "The settings in the window have not been saved. Quit and discard them?",
        .skinMissing = "The skin image %1 is missing or unreadable, so the window cannot be drawn. Check \"Path\" in "
                       "section \"Skins\" of the label file.",
        .accessDenied = "The gaming mouse is plugged in, but you may not open it (%1): the udev rule that gives you "
                        "access is missing. Install it with this command, then plug the mouse in again:",
        .accessGroupHint = "Where nobody logs in at the seat through a login manager, also add yourself to the group "
                           "plugdev and log in again.",
        .deviceBusy = "The gaming mouse is plugged in, but %1 is in use by another program. Close that program and "
                      "plug the mouse in again.",
        .copyCommand = "Copy command",
        .macroNameBlank = "A macro name cannot be blank.",
        .macroNameSpaces = "A macro name cannot begin or end with a space.",
        .macroNameCharacters = "A macro name cannot contain \"]\" or control characters.",
        .macroNameTooLong = "A macro name can have at most %1 characters.",
        .macroNameTaken = "There is already a macro named \"%1\".",
        .macroNamesTooLong = "The macro names are too long together (%1 characters for all names): choose a shorter "
                             "name.",
        .noMacroSelected = "No macro is selected.",
        .macroFileUnreadable = "Cannot read the macro file %1.",
        .macroTooLong = "Macro \"%1\" is too long for the mouse: its last %2 events are left out.",
        .macrosLeftOut = "The mouse holds 12 macros: %1 more in record.ini are left out.",
        .noSuchProfile = "There is no such profile.",
        .profileNameBlank = "A profile needs a name.",
        .profileNameBreaks = "A profile name cannot hold line breaks or tabs.",
        .profileNameTooLong = "A profile name can be at most 64 characters long.",
        .profileNameTaken = "Another profile already has this name.",
        .deleteProfile = "Delete the profile \"%1\" and its settings?",
        .lastProfile = "The last profile cannot be deleted: the settings need one to live in.",
        .applicationIdBlank = "An application id cannot be blank.",
        .applicationIdCharacters = "An application id cannot begin or end with a space, begin with \";\", or hold \"=\", \"[\", \"]\" or control characters.",
        .applicationIdTooLong = "An application id can be at most %1 characters long.",
        .importTitle = "Load a profile from a file",
        .exportTitle = "Save the profile to a file",
        .profileFilter = "Korvane profiles (*.bin)",
        .keyboardHeld = "Another program holds the keyboard: the desktop's shortcuts still act.",
        .ok = "OK",
        .yes = "Yes",
        .no = "No",
        .startWithDesktop = "Start with the desktop",
        .profileShown = "Profile: %1",
        .mouseHoldsProfile = "  ·  the mouse has %1",
        .savedSign = "Saved to the mouse",
        .resetSign = "Factory settings restored on the mouse",
        .resetQuestion = "Restore the factory settings of this profile?",
        .noBrowser = "No web browser could be started for %1.",
        .pressCpi = "Press the CPI button",
        .switchToMacro3 = "Switch to macro 3",
        .unplugMouse = "Unplug the mouse",
        .plugMouse = "Plug the mouse in",
        .profileForApp = "Profile %1 for %2",
        .switchOverEdits = "The settings in the window have not been saved. Discard them and give the mouse the "
                           "profile \"%1\" for %2?",
        .profileSwitchBusy = "The profile cannot change while the profile manager is open or the mouse is being "
                             "programmed.",
        .profileOverEdits = "The settings in the window have not been saved: save or cancel them first.",
        .profileNotTaken = "The mouse did not take the profile \"%1\"; it keeps the one it had.",
    },
    {
        .watchFailed = "程序将无法察觉鼠标的插拔：%1",
        .nothingSent = "没有发送或保存任何内容：%1",
        .valuesOutOfRange = "没有发送或保存任何内容：以下数值超出范围：%1。",
        .noCurrentProfile = "没有发送或保存任何内容：%1。请在“配置”中选择一个配置。",
        .changedElsewhere = "窗口读取此配置后，它的设置已被其他程序更改。要用窗口中的设置替换它们吗？",
        .sendFailed = "向鼠标发送设置时在“%1”步骤失败：%2。请按“保存”重试。",
        .notStored = "鼠标已使用新设置，但设置未能保存：%1。请按“保存”重试。",
        .saveWithoutMouse = "没有发送或保存任何内容：设置会同时发送到鼠标并存入配置。鼠标重新连接前，设置会保留在窗口中；"
                            "如需现在保留，请在“配置”中导出该配置（右键单击它，选择“保存”）。",
        .factoryUnreadable = "无法读取出厂设置，因此没有做任何更改：%1",
        .importIntoNewProfile = "新配置在关闭配置管理器时才会得到自己的文件；请在那之后再向它加载文件。",
        .fileOutOfRange = "%1 中有数值超出范围：%2",
        .nothingLoaded = "没有加载任何内容：%1。",
        .nothingExported = "没有导出任何内容：%1。",
        .discardForOtherProfile = "窗口中的设置尚未保存。要放弃这些设置并显示所选的配置吗？",
        .listNotSaved = "配置列表未能保存：%1",
        .updaterMissing = "未安装固件更新程序：找不到 %1。",
        .cannotStart = "无法启动 %1。",
        .discardOnExit = "窗口中的设置尚未保存。要退出并放弃这些设置吗？",
        .skinMissing = "皮肤图像 %1 不存在或无法读取，因此无法绘制窗口。请检查标签文件中“Skins”节的“Path”。",
        .accessDenied = "游戏鼠标已插入，但您无权打开它（%1）：缺少为您提供访问权限的 udev 规则。请用以下命令安装该规则，"
                        "然后重新插入鼠标：",
        .accessGroupHint = "如果系统不通过登录管理器在本机座席登录，还请把自己加入 plugdev 组并重新登录。",
        .deviceBusy = "游戏鼠标已插入，但 %1 正被其他程序占用。请关闭该程序，然后重新插入鼠标。",
        .copyCommand = "复制命令",
        .macroNameBlank = "宏名称不能为空。",
        .macroNameSpaces = "宏名称的开头和结尾不能是空格。",
        .macroNameCharacters = "宏名称不能包含“]”或控制字符。",
        .macroNameTooLong = "宏名称最多只能有 %1 个字符。",
        .macroNameTaken = "已经有名为“%1”的宏。",
        .macroNamesTooLong = "所有宏名称加起来太长（全部名称共 %1 个字符）：请选择较短的名称。",
        .noMacroSelected = "没有选择任何宏。",
        .macroFileUnreadable = "无法读取宏文件 %1。",
        .macroTooLong = "宏“%1”对鼠标来说太长：最后 %2 个动作被省略。",
        .macrosLeftOut = "鼠标最多保存 12 个宏：record.ini 中另外 %1 个宏被省略。",
        .noSuchProfile = "没有这个配置。",
        .profileNameBlank = "配置需要一个名称。",
        .profileNameBreaks = "配置名称不能包含换行符或制表符。",
        .profileNameTooLong = "配置名称最多只能有 64 个字符。",
        .profileNameTaken = "已经有同名的配置。",
        .deleteProfile = "要删除配置“%1”及其设置吗？",
        .lastProfile = "不能删除最后一个配置：设置需要保存在一个配置中。",
        .applicationIdBlank = "应用程序标识不能为空。",
        .applicationIdCharacters = "应用程序标识不能以空格开头或结尾，不能以“;”开头，也不能包含“=”、“[”、“]”或控制字符。",
        .applicationIdTooLong = "应用程序标识最多只能有 %1 个字符。",
        .importTitle = "从文件加载配置",
        .exportTitle = "将配置保存到文件",
        .profileFilter = "Korvane 配置 (*.bin)",
        .keyboardHeld = "另一个程序占用了键盘：桌面快捷键仍会生效。",
        .ok = "确定",
        .yes = "是",
        .no = "否",
        .startWithDesktop = "随桌面启动",
        .profileShown = "配置：%1",
        .mouseHoldsProfile = "  ·  鼠标中为 %1",
        .savedSign = "已保存到鼠标",
        .resetSign = "鼠标已恢复出厂设置",
        .resetQuestion = "恢复此配置的出厂设置？",
        .noBrowser = "无法启动网页浏览器打开 %1。",
        .pressCpi = "按下 CPI 键",
        .switchToMacro3 = "切换到宏 3",
        .unplugMouse = "拔出鼠标",
        .plugMouse = "插入鼠标",
        .profileForApp = "配置 %1 用于 %2",
        .switchOverEdits = "窗口中的设置尚未保存。要放弃这些设置，并为 %2 向鼠标发送配置“%1”吗？",
        .profileSwitchBusy = "配置管理器打开时或正在写入鼠标时不能切换配置。",
        .profileOverEdits = "窗口中的设置尚未保存：请先保存或取消这些设置。",
        .profileNotTaken = "鼠标没有接受配置“%1”，仍保留原来的配置。",
    },
    {
        .watchFailed = "程式將無法察覺滑鼠的插拔：%1",
        .nothingSent = "沒有傳送或儲存任何內容：%1",
        .valuesOutOfRange = "沒有傳送或儲存任何內容：以下數值超出範圍：%1。",
        .noCurrentProfile = "沒有傳送或儲存任何內容：%1。請在「配置」中選擇一個配置。",
        .changedElsewhere = "視窗讀取此配置後，它的設定已被其他程式變更。要以視窗中的設定取代它們嗎？",
        .sendFailed = "向滑鼠傳送設定時在「%1」步驟失敗：%2。請按「保存」重試。",
        .notStored = "滑鼠已套用新設定，但設定未能儲存：%1。請按「保存」重試。",
        .saveWithoutMouse = "沒有傳送或儲存任何內容：設定會同時傳送到滑鼠並存入配置。滑鼠重新連接前，設定會保留在視窗中；"
                            "如需現在保留，請在「配置」中匯出該配置（在它上面按右鍵，選擇「保存」）。",
        .factoryUnreadable = "無法讀取原廠設定，因此沒有做任何變更：%1",
        .importIntoNewProfile = "新配置在關閉配置管理員時才會得到自己的檔案；請在那之後再向它載入檔案。",
        .fileOutOfRange = "%1 中有數值超出範圍：%2",
        .nothingLoaded = "沒有載入任何內容：%1。",
        .nothingExported = "沒有匯出任何內容：%1。",
        .discardForOtherProfile = "視窗中的設定尚未儲存。要捨棄這些設定並顯示所選的配置嗎？",
        .listNotSaved = "配置清單未能儲存：%1",
        .updaterMissing = "未安裝韌體更新程式：找不到 %1。",
        .cannotStart = "無法啟動 %1。",
        .discardOnExit = "視窗中的設定尚未儲存。要結束並捨棄這些設定嗎？",
        .skinMissing = "面板圖像 %1 不存在或無法讀取，因此無法繪製視窗。請檢查標籤檔中「Skins」區段的「Path」。",
        .accessDenied = "遊戲滑鼠已插入，但您無權開啟它（%1）：缺少給予您存取權限的 udev 規則。請用以下指令安裝該規則，"
                        "然後重新插入滑鼠：",
        .accessGroupHint = "如果系統不透過登入管理員在本機座席登入，還請把自己加入 plugdev 群組並重新登入。",
        .deviceBusy = "遊戲滑鼠已插入，但 %1 正被其他程式佔用。請關閉該程式，然後重新插入滑鼠。",
        .copyCommand = "複製指令",
        .macroNameBlank = "巨集名稱不能空白。",
        .macroNameSpaces = "巨集名稱的開頭和結尾不能是空格。",
        .macroNameCharacters = "巨集名稱不能包含「]」或控制字元。",
        .macroNameTooLong = "巨集名稱最多只能有 %1 個字元。",
        .macroNameTaken = "已經有名為「%1」的巨集。",
        .macroNamesTooLong = "所有巨集名稱加起來太長（全部名稱共 %1 個字元）：請選擇較短的名稱。",
        .noMacroSelected = "沒有選取任何巨集。",
        .macroFileUnreadable = "無法讀取巨集檔案 %1。",
        .macroTooLong = "巨集「%1」對滑鼠來說太長：最後 %2 個動作被省略。",
        .macrosLeftOut = "滑鼠最多保存 12 個巨集：record.ini 中另外 %1 個巨集被省略。",
        .noSuchProfile = "沒有這個配置。",
        .profileNameBlank = "配置需要一個名稱。",
        .profileNameBreaks = "配置名稱不能包含換行字元或定位字元。",
        .profileNameTooLong = "配置名稱最多只能有 64 個字元。",
        .profileNameTaken = "已經有同名的配置。",
        .deleteProfile = "要刪除配置「%1」及其設定嗎？",
        .lastProfile = "不能刪除最後一個配置：設定需要保存在一個配置中。",
        .applicationIdBlank = "應用程式識別碼不能為空。",
        .applicationIdCharacters = "應用程式識別碼不能以空格開頭或結尾，不能以「;」開頭，也不能包含「=」、「[」、「]」或控制字元。",
        .applicationIdTooLong = "應用程式識別碼最多只能有 %1 個字元。",
        .importTitle = "從檔案載入配置",
        .exportTitle = "將配置儲存到檔案",
        .profileFilter = "Korvane 配置 (*.bin)",
        .keyboardHeld = "另一個程式佔用了鍵盤：桌面快捷鍵仍會生效。",
        .ok = "確定",
        .yes = "是",
        .no = "否",
        .startWithDesktop = "隨桌面啟動",
        .profileShown = "配置：%1",
        .mouseHoldsProfile = "  ·  滑鼠中為 %1",
        .savedSign = "已儲存到滑鼠",
        .resetSign = "滑鼠已恢復出廠設定",
        .resetQuestion = "恢復此配置的出廠設定？",
        .noBrowser = "無法啟動網頁瀏覽器開啟 %1。",
        .pressCpi = "按下 CPI 鍵",
        .switchToMacro3 = "切換到巨集 3",
        .unplugMouse = "拔出滑鼠",
        .plugMouse = "插入滑鼠",
        .profileForApp = "配置 %1 用於 %2",
        .switchOverEdits = "視窗中的設定尚未儲存。要捨棄這些設定，並為 %2 向滑鼠傳送配置「%1」嗎？",
        .profileSwitchBusy = "配置管理員開啟時或正在寫入滑鼠時不能切換配置。",
        .profileOverEdits = "視窗中的設定尚未儲存：請先儲存或取消這些設定。",
        .profileNotTaken = "滑鼠沒有接受配置「%1」，仍保留原來的配置。",
    },
}};

}  // namespace

const MessageStrings& MessageStringsFor(Language language) { return ForLanguage(kMessages, language); }

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    // Past the end, and for anything but a digit 1-9, the number is out of range.
    const std::size_t number = at + 1 < pattern.size() ? static_cast<std::size_t>(pattern[at + 1] - '1') : 9;
    if (pattern[at] == '%' && number < values.size()) {
      text += values.begin()[number];
      ++at;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

}  // namespace korvane
