// Says which architecture it was built for through its exit code (32 or 64), so a script can
// tell whether this machine runs 32-bit Windows programs at all.
int wmain() { return sizeof(void*) == 4 ? 32 : 64; }
