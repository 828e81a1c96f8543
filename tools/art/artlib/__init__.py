"""Art pipeline: text sources to PNG sheets, icons, cursors and bitmaps."""
