#!/usr/bin/env bash
# Exit status 0 when this machine can run the 32-bit Windows program under Wine: the kernel
# must start 32-bit Linux programs, which Wine's 32-bit loader is. Some virtual machines turn
# that off; there the Windows tests run on the 64-bit build of the same sources instead.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
