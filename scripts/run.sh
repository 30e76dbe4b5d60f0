#!/bin/sh
# Starts Quillmarch from the build tree on its delivered databases.
BUILD_DIR=${1:-build}
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
    echo "Quillmarch needs a graphical display, and none is available here (DISPLAY is not set)."
    echo "To run it without a screen, start it under a virtual X server:"
    echo "    xvfb-run -a make run"
    exit 1
fi
cd "$BUILD_DIR" && exec ./quillmarch
