#pragma once
// The program's icons and cursors live in a resource file compiled into a static library,
// whose initialiser the linker would drop unless something calls it.

void LoadResources();
