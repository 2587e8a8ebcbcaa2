// Prints the X pointer's shape, or a core cursor font glyph's, as text for the e2e tests.
//
//   pointer-shape              the shape the server shows now
//   pointer-shape glyph N      the shape of glyph N of the core "cursor" font (68 arrow, 92 arrow
//                              with question mark), shown for a moment in a window of its own
//
// Output: "WxH hot X,Y", then one row per line: '.' transparent, '#' dark, 'o' light. XFixes hands
// out only the shape on screen, so a reference glyph has to be put under the pointer to be read.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

struct CursorImage {
    int width = 0;
    int height = 0;
    int xhot = 0;
    int yhot = 0;
    std::string rows;
};

CursorImage currentShape(Display* display) {
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image)
        return {};
    CursorImage shape{image->width, image->height, image->xhot, image->yhot, {}};
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            // Premultiplied ARGB in the low 32 bits of each long.
            const unsigned long pixel = image->pixels[y * image->width + x];
            const unsigned alpha = (pixel >> 24) & 0xFF;
            const unsigned green = (pixel >> 8) & 0xFF;
            shape.rows += alpha < 128 ? '.' : green >= 128 ? 'o' : '#';
        }
        shape.rows += '\n';
    }
    XFree(image);
    return shape;
}

void print(const CursorImage& shape) {
    std::printf("%dx%d hot %d,%d\n%s", shape.width, shape.height, shape.xhot, shape.yhot,
                shape.rows.c_str());
}

// An unmanaged window in the screen's top-left corner wearing the glyph; the pointer visits it
// and goes back where it was.
int showGlyph(Display* display, unsigned glyph) {
    const Window root = DefaultRootWindow(display);
    Font font = XLoadFont(display, "cursor");
    XColor black{};
    XColor white{};
    white.red = white.green = white.blue = 0xFFFF;
    const Cursor cursor = XCreateGlyphCursor(display, font, font, glyph, glyph + 1, &black, &white);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.cursor = cursor;
    const Window window = XCreateWindow(display, root, 0, 0, 32, 32, 0, CopyFromParent, InputOnly,
                                        CopyFromParent, CWOverrideRedirect | CWCursor, &attributes);
    XMapRaised(display, window);

    Window ignoredWindow = 0;
    int rootX = 0;
    int rootY = 0;
    int ignored = 0;
    unsigned mask = 0;
    XQueryPointer(display, root, &ignoredWindow, &ignoredWindow, &rootX, &rootY, &ignored, &ignored,
                  &mask);
    XWarpPointer(display, None, window, 0, 0, 0, 0, 16, 16);
    XSync(display, False);

    // The map is asynchronous: wait until the pointer is really inside the window.
    for (int attempt = 0; attempt < 100; ++attempt) {
        Window child = 0;
        XQueryPointer(display, root, &ignoredWindow, &child, &ignored, &ignored, &ignored, &ignored,
                      &mask);
        if (child == window)
            break;
        XWarpPointer(display, None, window, 0, 0, 0, 0, 16, 16);
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    print(currentShape(display));

    XDestroyWindow(display, window);
    XWarpPointer(display, None, root, 0, 0, 0, 0, rootX, rootY);
    XFreeCursor(display, cursor);
    XUnloadFont(display, font);
    XSync(display, False);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "pointer-shape: cannot open the display\n");
        return 2;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "pointer-shape: the X server has no XFIXES extension\n");
        return 2;
    }
    int status = 0;
    if (argc == 3 && std::string(argv[1]) == "glyph") {
        status = showGlyph(display, static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    } else if (argc == 1) {
        print(currentShape(display));
    } else {
        std::fprintf(stderr, "usage: pointer-shape [glyph N]\n");
        status = 2;
    }
    XCloseDisplay(display);
    return status;
}
