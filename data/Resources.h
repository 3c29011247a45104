#pragma once

// Registers Kavrilon's compiled-in pictures (the window icon and the pictures
// of the About and PLC windows) under ":/kavrilon/". They live in a static
// library, whose resources the linker would otherwise leave out; call this
// once before the first window is built.
void kavInitResources();
