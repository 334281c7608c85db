/* Expands an SZDD file with libmspack: mspack_expand IN OUT. Exit 0 on success. */
#include <mspack.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: mspack_expand IN OUT\n");
    return 2;
  }
  struct msszdd_decompressor* d = mspack_create_szdd_decompressor(NULL);
  if (!d) return 1;
  struct msszddd_header* h = d->open(d, argv[1]);
  int err = h ? d->extract(d, h, argv[2]) : d->last_error(d);
  if (h) d->close(d, h);
  mspack_destroy_szdd_decompressor(d);
  if (err != MSPACK_ERR_OK) {
    fprintf(stderr, "mspack_expand: %s: error %d\n", argv[1], err);
    return 1;
  }
  return 0;
}
