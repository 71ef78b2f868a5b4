/* Reads the US English language model of Debian's pocketsphinx-en-us and writes, for the
 * words of standard input (one a line, lower case), how often each is said and which pairs
 * of them go together:
 *   spoken_words LM SPOKEN PAIRS < words
 * SPOKEN gets "word<TAB>log10 probability" for each word the model knows; PAIRS gets
 * "first second" for each pair that the model has seen together far more often than
 * chance (at least 100 times, log10 2 above) and that follows its first word often (at
 * least once in 3200 times, log10 -3.5), where the first word has at most 7 letters and
 * both at most 11: what fits in the seven digits of a number and four letters past them. */
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    char text[16];
    int32 id;
    size_t length;
    double spoken;
} word_t;

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: spoken_words LM SPOKEN PAIRS < words\n");
        return 2;
    }
    logmath_t* lmath = logmath_init(1.0001, 0, 0);
    ngram_model_t* lm = ngram_model_read(NULL, argv[1], NGRAM_AUTO, lmath);
    if (!lm) return 1;
    const int32 unknown = ngram_unknown_wid(lm);
    size_t capacity = 1 << 17, count = 0;
    word_t* words = malloc(capacity * sizeof *words);
    char line[64];
    FILE *spoken = fopen(argv[2], "w"), *pairs = fopen(argv[3], "w");
    if (!words || !spoken || !pairs) return 1;
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = 0;
        /* A contraction is looked up as it is said and written as it is spelled: DONT. */
        char spelled[sizeof line];
        size_t length = 0;
        for (const char* c = line; *c; ++c)
            if (*c != '\'') spelled[length++] = *c;
        spelled[length] = 0;
        if (length < 2 || length > 12 || count == capacity) continue;
        const int32 id = ngram_wid(lm, line);
        if (id == unknown || id < 0) continue;
        word_t* w = &words[count++];
        strcpy(w->text, spelled);
        w->id = id;
        w->length = length;
        w->spoken = logmath_log_to_log10(lmath, ngram_score(lm, line, NULL));
        fprintf(spoken, "%s\t%.2f\n", w->text, w->spoken);
    }
    for (size_t i = 0; i < count; ++i) {
        if (words[i].length > 7) continue;
        for (size_t j = 0; j < count; ++j) {
            if (words[i].length + words[j].length > 11) continue;
            int32 used = 0;
            const double after =
                logmath_log_to_log10(lmath, ngram_bg_score(lm, words[j].id, words[i].id, &used));
            if (used == 2 && after >= -3.5 && after - words[j].spoken >= 2.0)
                fprintf(pairs, "%s %s\n", words[i].text, words[j].text);
        }
    }
    fclose(spoken);
    fclose(pairs);
    ngram_model_free(lm);
    return 0;
}
