# libjpeg-turbo, built for the target as a static library from Debian's source
# package. The source is fetched once into the build tree (tools/fetch-libjpeg-source.sh)
# and reused by every later build.
include(ExternalProject)

set(NVN_JPEG_ROOT ${CMAKE_BINARY_DIR}/_deps/libjpeg-turbo)
set(NVN_JPEG_PREFIX ${NVN_JPEG_ROOT}/install)
set(NVN_JPEG_LIBRARY ${NVN_JPEG_PREFIX}/lib/libjpeg.a)

ExternalProject_Add(libjpeg_turbo_build
    PREFIX ${NVN_JPEG_ROOT}
    SOURCE_DIR ${NVN_JPEG_ROOT}/fetched/src
    DOWNLOAD_COMMAND ${CMAKE_SOURCE_DIR}/tools/fetch-libjpeg-source.sh ${NVN_JPEG_ROOT}/fetched
    UPDATE_COMMAND ""
    # The installer decodes its pictures at their own size into BGR: the
    # library's own configuration switches (jmorecfg.h) leave out scaled
    # decoding, colour quantization and the merged upsampler it never uses.
    PATCH_COMMAND sed -i
        -e "s/^#define IDCT_SCALING_SUPPORTED/#undef IDCT_SCALING_SUPPORTED/"
        -e "s/^#define UPSAMPLE_MERGING_SUPPORTED/#undef UPSAMPLE_MERGING_SUPPORTED/"
        -e "s/^#define QUANT_1PASS_SUPPORTED/#undef QUANT_1PASS_SUPPORTED/"
        -e "s/^#define QUANT_2PASS_SUPPORTED/#undef QUANT_2PASS_SUPPORTED/"
        <SOURCE_DIR>/jmorecfg.h
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        # Built for size, each function in a section of its own so that the
        # linker drops what the decoder never calls; the pictures are small.
        -DCMAKE_BUILD_TYPE=MinSizeRel
        # No build paths in its objects (as for our own code).
        # The C runtime's own formatted input and output rather than mingw's
        # larger replacements, and no JPEGMEM variable read with sscanf.
        "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections -ffile-prefix-map=${CMAKE_BINARY_DIR}=build -D__USE_MINGW_ANSI_STDIO=0 -DNO_GETENV"
        # Its version text would carry the day of the build; it names the
        # source package instead, so that every build gives the same bytes.
        -DBUILD=debian-bookworm
        -DCMAKE_INSTALL_PREFIX=${NVN_JPEG_PREFIX}
        -DENABLE_SHARED=OFF
        -DENABLE_STATIC=ON
        -DWITH_TURBOJPEG=OFF
        -DWITH_SIMD=OFF
        -DWITH_JPEG8=OFF
        -DWITH_ARITH_ENC=OFF
        -DWITH_ARITH_DEC=OFF
    BUILD_BYPRODUCTS ${NVN_JPEG_LIBRARY}
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_INSTALL ON)

file(MAKE_DIRECTORY ${NVN_JPEG_PREFIX}/include)
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
    IMPORTED_LOCATION ${NVN_JPEG_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${NVN_JPEG_PREFIX}/include)
add_dependencies(jpeg_static libjpeg_turbo_build)
