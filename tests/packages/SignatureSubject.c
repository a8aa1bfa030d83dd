/* A small program to be signed, and changed after signing, by the signature
 * tests. */
int main(void) {
    return 0;
}
