#pragma once

// Escape belongs first to what is open over a window (a drop-down list, a completer, a menu) and only
// then to the window's own Escape shortcut. A combo box's list closes on the key without taking it, so
// that the shortcut would close the window as well. From the first call on, an Escape pressed while a
// popup is open reaches no shortcut of any window: it only closes the popup.
void give_escape_to_popups_first();
