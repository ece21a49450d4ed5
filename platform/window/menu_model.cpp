#include "platform/window/menu_model.h"

MenuItem* MenuItem::Find(UINT command) {
  for (MenuItem& item : items) {
    if (!item.IsPopup() && !item.separator && item.id == command) return &item;
    if (MenuItem* inner = item.Find(command)) return inner;
  }
  return nullptr;
}
