#pragma once
// Import interface of the logger module (logger.dll), an outside component
// that the launcher links by import. The launcher composes every line; the
// module stamps each with the local time and its level and appends it to the
// files added, rotating them by size. All four may be called from any thread.
#ifdef __cplusplus
extern "C" {
#endif

// Lines above `level` are dropped; levels: 300 failure, 600 information.
int logger_start(int level);
// `path` in code page 936; the file rotates at `size` bytes and at most
// `count` files (the current one and count - 1 older ones) are kept.
int logger_add_file(const char* path, unsigned size, int count);
int logger_write_string(int level, const char* text);
int logger_close(void);

#ifdef __cplusplus
}
#endif
