// The game's sound on the browser's audio thread. Buffers of interleaved stereo frames at the game's
// rate arrive by message from the page, in the order the game wrote them, and play one after
// another: each source frame is held for as many output frames as fall on it (`step` source frames
// per output frame; 1 where the context runs at the game's rate). Each buffer goes back to the page
// once its last frame has played, which is when the game refills it.
'use strict';

class SpireholdOutput extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.step = options.processorOptions.step;
    this.gain = 1;
    this.queue = [];    // { samples, generation } in playing order
    this.position = 0;  // source frames into the first queued buffer
    this.port.onmessage = (event) => this.receive(event.data);
  }

  // A flush drops everything held: the page has handed the buffers back to the game itself.
  receive(message) {
    if (message.flush) {
      this.queue = [];
      this.position = 0;
    }
    if (message.samples) this.queue.push(message);
    if (message.step !== undefined) this.step = message.step;
    if (message.gain !== undefined) this.gain = message.gain;
  }

  // Each buffer's frames in one tight run: this runs for every 128 frames the context plays.
  process(inputs, outputs) {
    const [left, right] = outputs[0];
    let out = 0;
    while (out < left.length) {
      const buffer = this.queue[0];
      if (!buffer) {
        left.fill(0, out);
        right.fill(0, out);
        break;
      }
      const { samples } = buffer, frames = samples.length / 2, { gain, step } = this;
      let { position } = this;
      for (; out < left.length && position < frames; out++) {
        const frame = Math.floor(position);
        left[out] = gain * samples[2 * frame];
        right[out] = gain * samples[2 * frame + 1];
        position += step;
      }
      this.position = position;
      this.finishPlayedBuffers();
    }
    return true;
  }

  finishPlayedBuffers() {
    while (this.queue.length > 0 && this.position >= this.queue[0].samples.length / 2) {
      const played = this.queue.shift();
      this.position -= played.samples.length / 2;
      this.port.postMessage({ played: played.generation });
    }
    // After a gap in the stream the next buffer plays from its start.
    if (this.queue.length === 0) this.position = 0;
  }
}

registerProcessor('spirehold-output', SpireholdOutput);
