#!/usr/bin/env bash
# The standalone program starts, keeps running, and quits cleanly on an interrupt, the way JUCE
# applications take a keyboard break. Needs a display (make test runs under xvfb-run).
set -u
program=$1
"$program" >/dev/null 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "the standalone program exited on its own with status $?"
    exit 1
fi
kill -INT "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    echo "the standalone program did not quit within 5 seconds of an interrupt"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || echo "the standalone program quit with status $status"
exit "$status"
