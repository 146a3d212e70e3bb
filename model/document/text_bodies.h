#pragma once

namespace klu {

class HunkReader;
class Hunk;

// Adds the text bodies of the text hunks below root (what LoadData adds), decoded where they lie
// in the stream's bytes, which must then live as long as the tree: the tree holds no second copy
// of them. A body that shares bytes with another is decoded into the arena instead, as decoding
// it in place would change what the other decodes. Once the bodies are decoded, every page of
// the stream's bytes that holds none of them is given back, so those bytes read as zeros.
void LoadTextBodiesInPlace(HunkReader& reader, Hunk& root);

}  // namespace klu
