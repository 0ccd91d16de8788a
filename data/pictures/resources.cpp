// The picture resources themselves are generated and attached by the build; this unit only
// gives the library a body of its own.
namespace zpict {
int resourcesLibraryAnchor() { return 1; }
}  // namespace zpict
