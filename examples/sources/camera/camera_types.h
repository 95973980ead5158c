// Types shared by the camera and its clients.
#ifndef CAMERA_TYPES_H
#define CAMERA_TYPES_H
struct FrameHeader {
    unsigned long sequence;
    unsigned int width;
    unsigned int height;
    double exposure;
};
#endif
