// What the browser checks and the browser benchmark share: the served site, headless Chromium
// on it, the canvas's pixels handed to the screens' expectations (tests/web/screen_checks.cpp),
// and waiting for what the page shows.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import readline from 'node:readline';
import {fileURLToPath} from 'node:url';

import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
// The browser build's folder: TRIVANTA_WEB_BUILD, or build-web beside the sources.
export const buildDir =
    path.resolve(process.env.TRIVANTA_WEB_BUILD ?? path.join(here, '..', '..', 'build-web'));
export const siteDir = path.join(buildDir, 'site');

// Flags that keep Chromium from reaching for the network this machine does not have.
const chromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
];

// Polls the condition every 20 ms until it holds; false once `seconds` have passed without it.
export async function holdsWithin(seconds, condition) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    if (await condition()) return true;
    if (Date.now() > deadline) return false;
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

// tools/web/serve.py on the site (of another build's folder, if given), with the isolating
// headers unless told otherwise; resolves to its address once it listens.
export async function serveSite({site = siteDir, isolating = true} = {}) {
  const options = isolating ? [] : ['--no-isolation'];
  const server = spawn('python3', [path.join(here, 'serve.py'), ...options, site],
                       {stdio: ['ignore', 'pipe', 'inherit']});
  const lines = readline.createInterface({input: server.stdout});
  const address = await new Promise((resolve, reject) => {
    lines.once('line', resolve);
    server.once('exit', (code) => reject(new Error(`serve.py ended with ${code}`)));
  });
  return {address, close: () => server.kill()};
}

export async function launchChromium() {
  return puppeteer.launch({
    executablePath: process.env.TRIVANTA_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: chromiumFlags,
    protocolTimeout: 60000,
  });
}

// The screens' expectations, compiled from the tests' own C++: the source of a script that
// defines loadScreenChecks().
export async function loadScreenChecks(build = buildDir) {
  return fs.promises.readFile(path.join(build, 'tests', 'trivanta_screen_checks.js'), 'utf8');
}

// Run in the page before its scripts: notes when the canvas is first shown, as
// window.trivantaCanvasShownAt (the page's clock), so that times count from there however late a
// check looks.
function recordCanvasShown() {
  const observer = new MutationObserver(() => {
    const canvas = document.getElementById('trivanta');
    if (canvas?.style.visibility === 'visible') {
      window.trivantaCanvasShownAt = performance.now();
      observer.disconnect();
    }
  });
  observer.observe(document, {subtree: true, attributes: true, attributeFilter: ['style']});
}

// The window of a desktop browser, and a phone as Chromium emulates one: 390 x 844 CSS pixels of
// 3 device pixels each, touch only.
export const desktop = {width: 800, height: 700};
export const phone = {
  width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
};

// A page of the site in the browser, its console lines kept. The screens' expectations run in
// the page beside the canvas, so that its pixels need not cross to node for every look.
export class GamePage {
  constructor(page, checks) {
    this.page = page;
    this.checks = checks;
    this.console = [];
    page.on('console', (message) => this.console.push(message.text()));
  }

  // Opens the url in a new page of the browser (or of one of its contexts), in the viewport
  // given; `beforeScripts` runs in the page before the page's own.
  static async open(browser, checks, url, {viewport = desktop, beforeScripts} = {}) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(recordCanvasShown);
    if (beforeScripts) await page.evaluateOnNewDocument(beforeScripts);
    const game = new GamePage(page, checks);
    await page.goto(url);
    return game;
  }

  // Seconds since the page first showed the canvas, by the page's own clock.
  async secondsShown() {
    return this.page.evaluate(() => (performance.now() - window.trivantaCanvasShownAt) / 1000);
  }

  // The canvas's size, handed with its pixels to the check `name` (trivanta_checks_<name>),
  // whose answer comes with it; null while the page has no canvas, or is loading anew. The checks
  // are put into each page loaded that can run them (they need the page isolated, as the game).
  async check(name, ...args) {
    try {
      return await this.checkCanvas(name, args);
    } catch (error) {
      if (/context was destroyed|Cannot find context/.test(error.message)) return null;
      throw error;
    }
  }

  async checkCanvas(name, args) {
    const needed = await this.page.evaluate(
        () => window.trivantaChecks === undefined && self.crossOriginIsolated);
    if (needed) {
      await this.page.addScriptTag({content: this.checks});
      await this.page.evaluate(async () => {
        window.trivantaChecks = await loadScreenChecks();
      });
    }
    return this.page.evaluate((name, args) => {
      const element = document.getElementById('trivanta');
      const checks = window.trivantaChecks;
      if (!element || element.style.visibility !== 'visible' || !checks) return null;
      const {width, height} = element;
      const bytes = element.getContext('2d').getImageData(0, 0, width, height).data;
      const words = checks._trivanta_checks_canvas(width, height) >> 2;
      // Read after the call, which may have grown the memory.
      const heap = checks.HEAPU32;
      for (let i = 0, j = words; i < bytes.length; i += 4, ++j) {
        heap[j] = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
      }
      const answer = name === null ? 0 : checks[`_trivanta_checks_${name}`](...args);
      return {width, height, answer};
    }, name, args);
  }

  // The canvas's size; null while the page has no canvas.
  async look() {
    const canvas = await this.check(null);
    return canvas && {width: canvas.width, height: canvas.height};
  }

  // Whether the canvas shows what the check `name` looks for.
  async shows(name, ...args) {
    const canvas = await this.check(name, ...args);
    return canvas !== null && canvas.answer > 0;
  }

  async showsWithin(seconds, name, ...args) {
    return holdsWithin(seconds, () => this.shows(name, ...args));
  }

  // Presses the keys in turn: puppeteer's key names, "+" joining a modifier to a key.
  async type(...keys) {
    for (const key of keys) {
      const parts = key.split('+');
      for (const part of parts) await this.page.keyboard.down(part);
      for (const part of parts.reverse()) await this.page.keyboard.up(part);
      await new Promise((resolve) => setTimeout(resolve, 60));
    }
  }

  // The middle of the touch key that types `key` (its data-key).
  async keyButton(key) {
    return this.page.$eval(`#controls button[data-key="${key}"]`, (button) => {
      const box = button.getBoundingClientRect();
      return {x: box.left + box.width / 2, y: box.top + box.height / 2};
    });
  }

  // Taps the touch keys in turn, by their data-key.
  async tap(...keys) {
    for (const key of keys) {
      const {x, y} = await this.keyButton(key);
      await this.page.touchscreen.tap(x, y);
      await new Promise((resolve) => setTimeout(resolve, 60));
    }
  }

  // Puts a finger on the touch key, until the handle's end().
  async hold(key) {
    const {x, y} = await this.keyButton(key);
    return this.page.touchscreen.touchStart(x, y);
  }

  // The page's state when it no longer runs the program ("ended", "not-isolated"), else "".
  async state() {
    return this.page.evaluate(() => document.body.dataset.state ?? '');
  }
}
