// The build tree's word list and the key glyph sources, taken into velkari-cli by the
// assembler byte for byte, with no generated source in between; the build gives their
// paths. Read-only data of the object format in use.
#if defined(_WIN32)
    .section .rdata,"dr"
#else
    .section .rodata
#endif

#define VELKARI_EMBED(name, path) \
    .balign 16;                   \
    .globl name##_begin;          \
    name##_begin:                 \
    .incbin path;                 \
    .globl name##_end;            \
    name##_end:

VELKARI_EMBED(velkari_words_blob, VELKARI_WORDS_BLOB)
VELKARI_EMBED(velkari_digit_art, VELKARI_DIGIT_ART)
VELKARI_EMBED(velkari_letter_art, VELKARI_LETTER_ART)

#if !defined(_WIN32)
    .section .note.GNU-stack,"",@progbits
#endif
