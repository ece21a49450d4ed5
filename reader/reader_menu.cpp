#include "reader/reader_menu.h"

#include "reader/command_ids.h"

MenuItem BuildMainMenu() {
  using M = MenuItem;
  return M::Popup(u"Меню", {
      M::Command(ID_LOCK, u"Блокировка"),
      M::Command(ID_TOOLBAR, u"Панель инструментов"),
      M::Command(ID_FULL_SCREEN, u"Полноэкранный режим"),
      M::Separator(),
      M::Popup(u"Чтение", {M::Command(ID_SPEAK, u"Начать"), M::Command(ID_PAUSE, u"Пауза"),
                           M::Command(ID_STOP, u"Стоп"),
                           M::Command(ID_SPEAK_CLIPBOARD, u"Буфер обмена"),
                           M::Command(ID_SPEAK_USER_TEXT, u"Текст пользователя"),
                           M::Command(ID_USER_STRESS_BASE, u"Словарь ударений")}),
      M::Popup(u"Поиск", {M::Command(ID_FIND, u"Начать"), M::Command(ID_FIND_NEXT, u"Далее")}),
      M::Popup(u"Закладки", {M::Command(ID_ADD_BOOKMARK, u"Добавить"),
                             M::Command(ID_BOOKMARKS, u"Показать все")}),
      M::Popup(u"Метка", {M::Command(ID_SET_READ_MARK, u"Прочтённый"),
                          M::Command(ID_MARK_UNREAD, u"Непрочтённый")}),
      M::Command(ID_GO_TO_PAGE, u"Перейти к странице..."),
      M::Separator(),
      M::Popup(u"Последние документы", {}),
      M::Command(ID_OPEN, u"Открыть..."),
      M::Separator(),
      M::Command(ID_CONVERT, u"Конвертировать..."),
      M::Command(ID_SETTINGS, u"Настройки"),
      M::Separator(),
      M::Command(ID_ABOUT, u"О программе"),
      M::Command(ID_EXIT, u"Выход"),
  });
}

CommandBar BuildCommandBar() {
  using B = ToolButton;
  CommandBar bar;
  bar.menu = BuildMainMenu();
  bar.buttons = {B::Button(ID_OPEN, u"Открыть"), B::Separator(),
                 B::Button(ID_PREV_PAGE, u"<"),   B::Button(ID_NEXT_PAGE, u">"),
                 B::Separator(),                  B::Button(ID_SPEAK, u"Начать"),
                 B::Button(ID_PAUSE, u"Пауза"),   B::Button(ID_STOP, u"Стоп")};
  return bar;
}

// Compact labels stand for the button images; the tips give the full names.
std::vector<ToolButton> BuildToolbar() {
  using B = ToolButton;
  return {B::Button(ID_SETTINGS, u"Настр.", u"Настройки"),
          B::Separator(),
          B::Button(ID_FULL_SCREEN, u"Экран", u"Полноэкранный режим"),
          B::Button(ID_TOOLBAR, u"Панель", u"Панель инструментов"),
          B::Button(ID_LOCK, u"Блок", u"Блокировка"),
          B::Separator(),
          B::Button(ID_FIND, u"Найти", u"Поиск"),
          B::Button(ID_FIND_NEXT, u"Далее", u"Найти далее"),
          B::Separator(),
          B::Button(ID_ADD_BOOKMARK, u"+Закл.", u"Добавить закладку"),
          B::Button(ID_BOOKMARKS, u"Закл.", u"Все закладки"),
          B::Separator(),
          B::Button(ID_MARK_READ, u"Метка", u"Метка прочтения")};
}

void FillRecentMenu(MenuItem& submenu, const std::vector<std::u16string>& recentFiles) {
  submenu.items.clear();
  submenu.popup = true;
  for (size_t i = 0; i < recentFiles.size() && i < 10; ++i) {
    const std::u16string& path = recentFiles[i];
    const size_t slash = path.find_last_of(u"\\/");
    submenu.items.push_back(MenuItem::Command(
        ID_RECENT_FIRST + static_cast<UINT>(i),
        slash == std::u16string::npos ? path : path.substr(slash + 1)));
  }
}
