// A ring of frame buffers.
#include <vector>

std::vector<unsigned char> frameRing[4];
int frameRingHead = 0;

unsigned char* nextFrameBuffer(unsigned int bytes) {
    frameRingHead = (frameRingHead + 1) % 4;
    frameRing[frameRingHead].resize(bytes);
    return frameRing[frameRingHead].data();
}
