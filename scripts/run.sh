#!/bin/sh
# Starts Quillmarch from the build tree on its delivered databases.
BUILD_DIR=${1:-build}

no_display() {
    echo "Quillmarch needs a graphical display, and $1."
    echo "To run it without a screen, start it under a virtual X server:"
    echo "    xvfb-run -a make run"
    exit 1
}

if [ -z "$QT_QPA_PLATFORM" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    [ -n "$DISPLAY" ] || no_display "none is available here (DISPLAY is not set)"
    # A local display (":0", ":1.0") has its socket here; without it Qt would
    # stop with a message about platform plugins that says nothing useful.
    case "$DISPLAY" in
    :*)
        number=${DISPLAY#:}
        number=${number%%.*}
        [ -S "/tmp/.X11-unix/X$number" ] ||
            no_display "the display $DISPLAY named by DISPLAY is not running"
        ;;
    esac
fi
cd "$BUILD_DIR" && exec ./quillmarch
