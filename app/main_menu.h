#pragma once
// The program menu behind the caption's main-menu button.

// Window thread: opens the menu at the cursor (the button was just clicked) and runs the
// entry chosen.
void ShowProgramMenu();
