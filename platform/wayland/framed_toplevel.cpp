// A toplevel in libdecor's frame, for compositors that draw no title bars themselves: its
// plugin draws the caption and the close button beside our surface and moves the window when
// the player drags the title bar.
#include <libdecor.h>

#include <cstdio>

#include "platform/wayland/toplevel.h"

namespace platform::wayland {

namespace {

void reportFrameError(libdecor*, libdecor_error, const char* message) {
    std::fprintf(stderr, "Trivanta: the window's title bar failed: %s\n", message);
}

class FramedToplevel final : public Toplevel {
public:
    FramedToplevel(libdecor* context, ToplevelEvents events)
        : context_(context), events_(std::move(events)) {}

    ~FramedToplevel() override {
        if (frame_ != nullptr)
            libdecor_frame_unref(frame_);
        libdecor_unref(context_);
    }

    bool decorate(wl_surface* surface, const ToplevelRequest& request) {
        static libdecor_frame_interface frameInterface = frameCalls();
        frame_ = libdecor_decorate(context_, surface, &frameInterface, this);
        if (frame_ == nullptr)
            return false;
        libdecor_frame_set_app_id(frame_, kAppId);
        setCaption(request.caption);
        setSize(request.size);
        libdecor_frame_unset_capabilities(
            frame_, static_cast<libdecor_capabilities>(LIBDECOR_ACTION_RESIZE |
                                                       LIBDECOR_ACTION_FULLSCREEN));
        libdecor_frame_map(frame_);
        return true;
    }

    void setCaption(const std::string& utf8) override {
        libdecor_frame_set_title(frame_, utf8.c_str());
    }

    void setSize(Size size) override {
        size_ = size;
        libdecor_frame_set_min_content_size(frame_, size.width, size.height);
        libdecor_frame_set_max_content_size(frame_, size.width, size.height);
    }

private:
    static libdecor_frame_interface frameCalls() {
        libdecor_frame_interface calls{};
        calls.configure = onConfigure;
        calls.close = onClose;
        calls.commit = onCommit;
        return calls;
    }

    // The frame fits itself around the content's fixed size, whatever the compositor suggests.
    static void onConfigure(libdecor_frame* frame, libdecor_configuration* configuration,
                            void* data) {
        auto& self = *static_cast<FramedToplevel*>(data);
        libdecor_state* state = libdecor_state_new(self.size_.width, self.size_.height);
        libdecor_frame_commit(frame, state, configuration);
        libdecor_state_free(state);
        self.events_.configured();
    }

    static void onClose(libdecor_frame*, void* data) {
        static_cast<FramedToplevel*>(data)->events_.closeRequested();
    }

    static void onCommit(libdecor_frame*, void* data) {
        static_cast<FramedToplevel*>(data)->events_.commitRequested();
    }

    libdecor* context_;
    ToplevelEvents events_;
    libdecor_frame* frame_ = nullptr;
    Size size_;
};

}  // namespace

std::unique_ptr<Toplevel> makeFramedToplevel(Connection& connection, wl_surface* surface,
                                             const ToplevelRequest& request,
                                             ToplevelEvents events) {
    static libdecor_interface contextInterface = [] {
        libdecor_interface calls{};
        calls.error = reportFrameError;
        return calls;
    }();
    libdecor* context = libdecor_new(connection.display(), &contextInterface);
    if (context == nullptr)
        return nullptr;
    auto framed = std::make_unique<FramedToplevel>(context, std::move(events));
    if (!framed->decorate(surface, request))
        return nullptr;
    return framed;
}

}  // namespace platform::wayland
