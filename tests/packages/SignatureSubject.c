// A small program the signature tests sign, then change after signing.
int main(void) {
    return 0;
}
