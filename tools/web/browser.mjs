// What the browser checks and the browser benchmark share: the served site, headless Chromium
// on it, the canvas's pixels handed to the screens' expectations (tests/web/screen_checks.cpp),
// and waiting for what the page shows.
import {spawn} from 'node:child_process';
import {createRequire} from 'node:module';
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

// tools/web/serve.py on the site; resolves to its address once it listens.
export async function serveSite() {
  const server = spawn('python3', [path.join(here, 'serve.py'), siteDir],
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

// The screens' expectations, compiled from the tests' own C++.
export async function loadScreenChecks() {
  const require = createRequire(import.meta.url);
  const load = require(path.join(buildDir, 'tests', 'trivanta_screen_checks.js'));
  return load();
}

// A page of the site in the browser, its console lines kept.
export class GamePage {
  constructor(page, checks) {
    this.page = page;
    this.checks = checks;
    this.console = [];
    page.on('console', (message) => this.console.push(message.text()));
  }

  static async open(browser, checks, url) {
    const page = await browser.newPage();
    await page.setViewport({width: 800, height: 700});
    const game = new GamePage(page, checks);
    await page.goto(url);
    return game;
  }

  // The canvas's size and pixels, handed to the checks; null while the page has no canvas.
  async look() {
    const canvas = await this.page.evaluate(() => {
      const element = document.getElementById('trivanta');
      if (!element || element.style.visibility !== 'visible') return null;
      const bytes = element.getContext('2d').getImageData(0, 0, element.width, element.height).data;
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) {
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      }
      return {width: element.width, height: element.height, rgba: btoa(text)};
    });
    if (canvas === null) return null;
    const rgba = Buffer.from(canvas.rgba, 'base64');
    const words = this.checks._trivanta_checks_canvas(canvas.width, canvas.height) >> 2;
    const heap = this.checks.HEAPU32;
    for (let i = 0, j = 0; i < rgba.length; i += 4, ++j) {
      heap[words + j] = rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2];
    }
    return {width: canvas.width, height: canvas.height};
  }

  // Whether the canvas shows what the check `name` (trivanta_checks_<name>) looks for.
  async shows(name, ...args) {
    return (await this.look()) !== null && this.checks[`_trivanta_checks_${name}`](...args) > 0;
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

  // The page's state when it no longer runs the program ("ended", "not-isolated"), else "".
  async state() {
    return this.page.evaluate(() => document.body.dataset.state ?? '');
  }
}
