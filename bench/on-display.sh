# Sourced by the window timing scripts: without a display the calling script runs itself again
# under a virtual X server.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${VESMER_MEASURE_XVFB:-}" ]; then
    export VESMER_MEASURE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
